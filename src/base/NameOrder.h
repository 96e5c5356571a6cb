#pragma once

#include <string_view>

namespace pelmark {

// Only a-z turn into A-Z: the locale's idea of letter case would make a Turkish "i" a dotted capital
// and a Latin-1 "\xE4" an "\xC4", so the order of names and the file kinds would depend on the user.
constexpr unsigned char foldedByte(char c) {
    auto code = static_cast<unsigned char>(c);
    return code >= 'a' && code <= 'z' ? static_cast<unsigned char>(code - 'a' + 'A') : code;
}

// True when `name` ends with `ending` (given in capitals), a-z read as A-Z: ".jpg" for ".JPG".
constexpr bool endsWithName(std::string_view name, std::string_view ending) {
    if (name.size() < ending.size()) return false;
    for (std::size_t i = 0; i < ending.size(); ++i)
        if (foldedByte(name[name.size() - ending.size() + i]) != static_cast<unsigned char>(ending[i]))
            return false;
    return true;
}

// The order of names in a folder listing, so that photo numbers follow the names (P1010001.JPG before
// P1010002.JPG, in shooting order) instead of the file system's: byte by byte with a-z read as A-Z, and
// names equal that way by their raw bytes.
inline bool nameOrder(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (foldedByte(a[i]) != foldedByte(b[i])) return foldedByte(a[i]) < foldedByte(b[i]);
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

} // namespace pelmark
