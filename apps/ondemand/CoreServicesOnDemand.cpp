// `pelmark`'s `coreServices()`: QtCore and its libraries (about 8 ms of loading, most of a
// console session that reads a few photos) are loaded the first time a service is wanted.

#include "ondemand/ModuleEntry.h"
#include "qtplatform/CoreServices.h"

#include <cstdlib>
#include <iostream>

namespace pelmark {

namespace {

// Without the module: the C locale's separator, an empty and unwritable store, the data folder as the
// system's base directories name it, and no program start. Said once on stderr.
std::string homeDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') return data;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/share";
}

const CoreServices kWithoutModule{
    [] { return '.'; },
    [](const std::string&, const std::string&, const std::string&) -> std::optional<std::string> {
        return std::nullopt;
    },
    [](const std::string& file, const std::string&, const std::string&, const std::string&,
       std::string& name) {
        name = file.empty() ? "of the user" : file;
        return false;
    },
    &homeDataFolder,
    [](const std::string&, const std::vector<std::string>&) { return false; },
};

const CoreServices& load() {
    std::string failure;
    if (void* entry = ondemand::moduleEntry("pelmark-qtcore.so", PELMARK_QTCORE_MODULE_FROM_PROGRAM,
                                            kCoreServicesEntryName, failure))
        return *reinterpret_cast<CoreServicesEntry>(entry)();
    std::cerr << "pelmark: the settings store, the locale and program start are not available: " << failure
              << "\n";
    return kWithoutModule;
}

} // namespace

const CoreServices& coreServices() {
    static const CoreServices& services = load();
    return services;
}

} // namespace pelmark
