#pragma once

#include "qtplatform/Latin1Text.h"
#include "surface/ElementId.h"

#include <QString>
#include <string>

namespace pelmark {

// The fields that hold a file's path: the model keeps its bytes, and the user reads and types it as a
// file name (UTF-8 on Linux). Every other text is Latin-1, one byte to one character.
inline bool holdsPath(ElementId element) {
    return element == ElementId::FilePath || element == ElementId::PathTxt;
}

// An element's text as its widget shows it.
inline QString shownText(ElementId element, const std::string& bytes) {
    return holdsPath(element) ? pathToQt(bytes) : toQt(bytes);
}

// What the user typed into an element's widget, as the model's bytes.
inline std::string typedText(ElementId element, const QString& text) {
    return holdsPath(element) ? pathFromQt(text) : fromQt(text);
}

} // namespace pelmark
