#include "qtplatform/DecimalSeparator.h"

#include "qtplatform/CoreServices.h"

#include <cstdlib>
#include <string_view>

namespace pelmark {

namespace {

// The locale name Qt reads the decimal separator from: LC_ALL, else LC_NUMERIC, else LANG, the first
// that is set and not empty.
std::string_view numericLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"})
        if (const char* value = std::getenv(variable); value != nullptr && *value != '\0') return value;
    return {};
}

} // namespace

std::optional<char> decimalSeparatorWithoutQt() {
    std::string_view name = numericLocaleName();
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") return '.';
    return std::nullopt;
}

char userDecimalSeparator() {
    // Scripts mostly run in the C locale; its separator needs no locale data.
    if (const std::optional<char> known = decimalSeparatorWithoutQt()) return *known;
    return coreServices().decimalSeparator();
}

} // namespace pelmark
