#pragma once

#include "qtplatform/Latin1Text.h"

#include <QString>
#include <string>
#include <string_view>

namespace pelmark {

// The fields that hold a file's path: the model keeps its bytes, and the user reads and types it as a
// file name (UTF-8 on Linux). Every other text is Latin-1, one byte to one character.
inline bool holdsPath(std::string_view element) {
    return element == "FilePath" || element == "PathTxt";
}

// An element's text as its widget shows it.
inline QString shownText(std::string_view element, const std::string& bytes) {
    return holdsPath(element) ? pathToQt(bytes) : toQt(bytes);
}

// What the user typed into an element's widget, as the model's bytes.
inline std::string typedText(std::string_view element, const QString& text) {
    return holdsPath(element) ? pathFromQt(text) : fromQt(text);
}

} // namespace pelmark
