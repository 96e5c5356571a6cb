#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelmark {

// The control's texts are byte strings shown through Latin-1 (one byte, one character). Source files
// and terminals speak UTF-8; these convert at that border.

// Characters above U+00FF cannot be held in a byte string and become '?'.
std::string latin1FromUtf8(std::string_view utf8);
// The same, but nothing when a character lies above U+00FF or the UTF-8 is malformed.
std::optional<std::string> exactLatin1FromUtf8(std::string_view utf8);
std::string utf8FromLatin1(std::string_view latin1);

} // namespace pelmark
