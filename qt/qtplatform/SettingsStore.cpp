#include "qtplatform/SettingsStore.h"

#include "base/Error.h"
#include "qtplatform/CoreServices.h"

namespace pelmark {

SettingsStore::SettingsStore() = default;

// The same layout as the user's store: organisation folder, application file.
SettingsStore::SettingsStore(std::string folder)
    : file_(std::move(folder) + "/" + kOrganisation + "/" + kApplication + ".ini") {}

std::optional<std::string> SettingsStore::read(const std::string& section, const std::string& key) const {
    return coreServices().readSetting(file_, section, key);
}

void SettingsStore::write(const std::string& section, const std::string& key, const std::string& value) {
    std::string storeName;
    if (!coreServices().writeSetting(file_, section, key, value, storeName))
        throw PelmarkError(ErrorKind::FileWrite, "cannot write the settings store " + storeName);
}

} // namespace pelmark
