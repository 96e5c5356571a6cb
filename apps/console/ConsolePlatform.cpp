#include "console/ConsolePlatform.h"

#include "ondemand/WidgetsOnDemand.h"
#include "qtplatform/DecimalSeparator.h"
#include "qtplatform/FileTimes.h"
#include "qtplatform/ProcessStart.h"

namespace pelmark::console {

namespace {

SettingsStore storeIn(const std::string& folder) {
    return folder.empty() ? SettingsStore() : SettingsStore(folder);
}

} // namespace

ConsolePlatform::ConsolePlatform(Launch launch, const std::string& settingsFolder,
                                 std::optional<char> separator)
    : launch_(launch), settings_(storeIn(settingsFolder)),
      record_(TimeRecord::forSettingsFolder(settingsFolder)), separator_(separator) {}

char ConsolePlatform::decimalSeparator() const {
    // Asked for when first wanted: outside the C locale, the locale's comes from QtCore, which a
    // session that formats no number never loads.
    if (!separator_) separator_ = userDecimalSeparator();
    return *separator_;
}

std::optional<Picture> ConsolePlatform::loadPicture(const std::string& path, int boxWidthTwips,
                                                    int boxHeightTwips) {
    ScriptedPlatform::loadPicture(path, boxWidthTwips, boxHeightTwips); // counts the load
    // The console has no screen: the standard resolution. Both modes decode through the widgets
    // module, so they decode alike.
    return ondemand::loadPictureOnDemand(path, boxWidthTwips, boxHeightTwips, 96.0);
}

std::optional<std::string> ConsolePlatform::readSetting(const std::string& section, const std::string& key) {
    return settings_.read(section, key);
}

void ConsolePlatform::writeSetting(const std::string& section, const std::string& key,
                                   const std::string& value) {
    settings_.write(section, key, value);
}

void ConsolePlatform::startProcess(const std::string& commandLine) {
    if (launch_ == Launch::Real) startCommandLine(commandLine);
    ScriptedPlatform::startProcess(commandLine); // recorded either way, for :launched
}

bool ConsolePlatform::setFileTimes(const std::string& path, FileTime creation, FileTime lastAccess,
                                   FileTime lastWrite) {
    ScriptedPlatform::setFileTimes(path, creation, lastAccess, lastWrite);
    return setAccessAndWriteTimes(path, lastAccess, lastWrite, &record_);
}

} // namespace pelmark::console
