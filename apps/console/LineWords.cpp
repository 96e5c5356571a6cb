#include "console/LineWords.h"

#include "base/Error.h"
#include "console/ByteJson.h"

namespace pelmark::console {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The length of the JSON string, array or object at the start of `text`, honouring strings inside.
std::size_t structuredLength(std::string_view text) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            if (!inString && depth == 0) return i + 1;
            continue;
        }
        if (c == '"')
            inString = true;
        else if (c == '[' || c == '{')
            ++depth;
        else if ((c == ']' || c == '}') && --depth == 0)
            return i + 1;
    }
    throw PelmarkError(ErrorKind::InvalidArgument, "unterminated value: " + std::string(text));
}

} // namespace

void LineWords::skipBlanks() {
    while (!rest_.empty() && isBlank(rest_.front()))
        rest_.remove_prefix(1);
}

bool LineWords::atEnd() {
    skipBlanks();
    return rest_.empty();
}

std::optional<std::string_view> LineWords::next() {
    if (atEnd()) return std::nullopt;
    std::size_t length = 0;
    char first = rest_.front();
    if (first == '"' || first == '[' || first == '{') {
        length = structuredLength(rest_);
    } else {
        while (length < rest_.size() && !isBlank(rest_[length]))
            ++length;
    }
    auto word = rest_.substr(0, length);
    rest_.remove_prefix(length);
    return word;
}

std::optional<std::string> LineWords::nextName() {
    auto word = next();
    if (!word) return std::nullopt;
    if (word->front() != '"') return std::string(*word);
    Json name = parseByteJson(*word);
    return name.get<std::string>();
}

std::string_view LineWords::rest() {
    skipBlanks();
    auto text = rest_;
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    rest_ = {};
    return text;
}

} // namespace pelmark::console
