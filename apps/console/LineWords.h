#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelmark::console {

// Reads a console line word by word. A word is a JSON value (a string, array or object may hold
// blanks) or, outside JSON, a run of non-blank bytes.
class LineWords {
public:
    explicit LineWords(std::string_view line) : rest_(line) {}

    // The next word as written, or nothing at the end of the line. Throws PelmarkError for a string,
    // array or object that does not end on this line.
    std::optional<std::string_view> next();
    // A name: a JSON string (for names holding a blank) or a bare word taken as it is.
    std::optional<std::string> nextName();
    // What is left of the line, blanks around it removed.
    std::string_view rest();
    bool atEnd();

private:
    void skipBlanks();
    std::string_view rest_;
};

} // namespace pelmark::console
