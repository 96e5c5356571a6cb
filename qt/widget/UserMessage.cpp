#include "widget/UserMessage.h"

#include "base/Error.h"
#include "qtplatform/Latin1Text.h"

#include <QFileInfo>
#include <optional>
#include <string_view>

namespace pelmark {

namespace {

// The loader's file errors: a fixed text, then the path.
constexpr std::string_view kUnreadable[] = {"Input past end of file: ", "Path/File access error: "};
constexpr std::string_view kNotFound = "File not found: ";

} // namespace

std::string userMessage(const std::exception& failure) {
    const std::string text = failure.what();
    auto after = [&](std::string_view prefix) -> std::optional<std::string> {
        if (!text.starts_with(prefix)) return std::nullopt;
        return text.substr(prefix.size());
    };
    std::optional<std::string> path = after(kNotFound);
    const bool missing = path.has_value();
    for (std::string_view prefix : kUnreadable)
        if (!path) path = after(prefix);
    if (!path || !dynamic_cast<const PelmarkError*>(&failure)) return text;

    // Message boxes show Latin-1; the path is the file system's bytes, turned into the name the user
    // knows first.
    const QString name = pathToQt(*path);
    const std::string shown = fromQt(name);
    if (missing) return shown + " wurde nicht gefunden";
    if (QFileInfo(name).isDir()) return shown + " ist ein Ordner";
    return shown + " ist keine lesbare Fotodatei";
}

} // namespace pelmark
