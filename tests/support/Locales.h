#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace pelmark::test {

// The locales whose letter case differs from plain ASCII's in ways that once changed the control's
// name order and file kinds: Latin-1 upper-cases "\xE4" to "\xC4", Turkish "i" to a dotted capital.
inline const char* const kCaseLocales[] = {"C", "de_DE.ISO-8859-1", "tr_TR.ISO-8859-9"};

// Makes `name` (one of kCaseLocales) the C library's character-type locale. Machines seldom have these
// installed, so they are built with localedef into a folder of their own the first time.
inline bool useCharacterLocale(const std::string& name) {
    if (name != "C") {
        const auto folder = std::filesystem::temp_directory_path() / "pelmark-test-locales";
        const auto dot = name.find('.');
        if (!std::filesystem::exists(folder / name)) {
            // Built aside and renamed, as test programs running side by side may build it at once.
            const auto aside = folder / (name + "." + std::to_string(::getpid()));
            const std::string command = "localedef -c -i " + name.substr(0, dot) + " -f " +
                                        name.substr(dot + 1) + " " + aside.string() + " 2>/dev/null";
            std::filesystem::create_directories(folder);
            std::system(command.c_str());
            std::error_code taken;
            std::filesystem::rename(aside, folder / name, taken);
            std::filesystem::remove_all(aside, taken);
        }
        ::setenv("LOCPATH", folder.c_str(), 1);
    }
    return std::setlocale(LC_CTYPE, name.c_str()) != nullptr;
}

} // namespace pelmark::test
