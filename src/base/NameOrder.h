#pragma once

#include <string_view>

namespace pelmark {

// The order of names in a folder listing, so that photo numbers follow the names (P1010001.JPG before
// P1010002.JPG, in shooting order) instead of the file system's: byte by byte with a-z read as A-Z, and
// names equal that way by their raw bytes.
inline bool nameOrder(std::string_view a, std::string_view b) {
    const auto folded = [](char c) {
        auto code = static_cast<unsigned char>(c);
        return code >= 'a' && code <= 'z' ? static_cast<unsigned char>(code - 'a' + 'A') : code;
    };
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (folded(a[i]) != folded(b[i])) return folded(a[i]) < folded(b[i]);
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

} // namespace pelmark
