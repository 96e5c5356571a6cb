#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pelmark {

// The services Pelmark takes from QtCore outside the window: the locale's decimal separator, the
// settings store, the user's data folder and starting a program. Everything that uses them calls
// `coreServices()`, which a program gets from one of two places: programs that link QtCore anyway (the
// widgets module, the tests) link `CoreServicesLinked.cpp`; `pelmark` links
// `ondemand/CoreServicesOnDemand.cpp`, which loads them as a module (pelmark-qtcore.so) when one is
// first wanted, so a console session that needs none of them never loads QtCore.
struct CoreServices {
    // The decimal separator of the user's locale as Qt reads LC_NUMERIC; '.' where it is not one
    // Latin-1 character.
    char (*decimalSeparator)();
    // The settings store in `file` (an INI file), or the user's own store for an empty `file`. Values
    // are byte strings, one byte per character. `writeSetting` is false when the store cannot be
    // written, with the store's file name in `storeName`. (Nothing is thrown across the module's edge.)
    std::optional<std::string> (*readSetting)(const std::string& file, const std::string& section,
                                              const std::string& key);
    bool (*writeSetting)(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& value, std::string& storeName);
    // The user's writable data folder (XDG_DATA_HOME, or ~/.local/share).
    std::string (*userDataFolder)();
    // Starts `program` with `arguments` without waiting for it; false when it cannot be started.
    bool (*startDetached)(const std::string& program, const std::vector<std::string>& arguments);
};

const CoreServices& coreServices();

// The module's one entry: the services as QtCore gives them.
using CoreServicesEntry = const CoreServices* (*)();
inline constexpr const char* kCoreServicesEntryName = "pelmark_core_services";

} // namespace pelmark
