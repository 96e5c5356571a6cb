#include "base/Latin1.h"

namespace pelmark {

namespace {

// Decodes UTF-8 into bytes; a character that does not fit gets `replacement`, or ends the decoding
// with nothing when there is none.
std::optional<std::string> decodeUtf8(std::string_view utf8, std::optional<char> replacement) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        unsigned code = length == 2 ? lead & 0x1Fu : length == 3 ? lead & 0x0Fu : lead & 0x07u;
        bool valid = length > 1 && i + length <= utf8.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) valid = false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (valid && code <= 0xFF) {
            out.push_back(static_cast<char>(code));
        } else if (replacement) {
            out.push_back(*replacement);
        } else {
            return std::nullopt;
        }
        i += valid ? length : 1;
    }
    return out;
}

} // namespace

std::string latin1FromUtf8(std::string_view utf8) {
    return *decodeUtf8(utf8, '?');
}

std::optional<std::string> exactLatin1FromUtf8(std::string_view utf8) {
    return decodeUtf8(utf8, std::nullopt);
}

std::string utf8FromLatin1(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (char c : latin1) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}

} // namespace pelmark
