#include "widget/UserMessage.h"

#include "base/Error.h"
#include "qtplatform/Latin1Text.h"

#include <QFileInfo>
#include <regex>
#include <string_view>

namespace pelmark {

namespace {

// A path inside a message is the file system's bytes; the user knows it by the name Qt decodes from
// them, shown as Latin-1 like every text of a message box.
std::string shownPath(const std::string& path) {
    return fromQt(pathToQt(path));
}

// One error the control's own code raises in English (the form hosts and scripts read), as a person
// reads it: `{1}` and `{2}` stand for the pattern's groups, `paths` says which groups are paths.
struct Rewrite {
    const char* english;
    const char* german;
    int paths; // groups 1..paths are paths
};

// The loader's file errors are told apart by what the file turns out to be; see below.
const Rewrite kRewrites[] = {
    {"File not found: (.*)", "{1} wurde nicht gefunden", 1},
    {"(?:Input past end of file|Path/File access error): (.*)", "{1} ist keine lesbare Fotodatei", 1},
    {"Another operation is using the file",
     "Gerade wird eine andere Datei gelesen. Bitte warten, bis das fertig ist, oder Stop dr\xFC"
     "cken.",
     0},
    {"Another job is in progress",
     "Gerade l\xE4uft schon ein anderer Vorgang. Bitte warten, bis er fertig ist, oder Stop dr\xFC"
     "cken.",
     0},
    {"date piece out of range: (.*)",
     "Das Datum enth\xE4lt die Zahl {1}; so gro\xDF ist kein Teil eines Datums.", 0},
    {"cannot write the settings store (.*)", "Die Einstellungen konnten nicht in {1} gespeichert werden.", 1},
    {"cannot keep the times of (.*) in (.*) before changing them",
     "Die Zeiten von {1} bleiben, wie sie sind: sie lie\xDF"
     "en sich vorher nicht in {2} festhalten.",
     2},
};

} // namespace

std::string userMessage(const std::exception& failure) {
    const std::string text = failure.what();
    if (!dynamic_cast<const PelmarkError*>(&failure)) return text;
    for (const Rewrite& rewrite : kRewrites) {
        std::smatch match;
        if (!std::regex_match(text, match, std::regex(rewrite.english))) continue;
        std::string german = rewrite.german;
        for (std::size_t group = 1; group < match.size(); ++group) {
            const std::string piece =
                static_cast<int>(group) <= rewrite.paths ? shownPath(match[group].str()) : match[group].str();
            const std::string mark = "{" + std::to_string(group) + "}";
            if (const std::size_t at = german.find(mark); at != std::string::npos)
                german.replace(at, mark.size(), piece);
        }
        // A name that cannot be read as a photo may be a folder: say so, it is the one thing to fix.
        if (rewrite.english == kRewrites[1].english && QFileInfo(pathToQt(match[1].str())).isDir())
            return shownPath(match[1].str()) + " ist ein Ordner";
        return german;
    }
    return text;
}

} // namespace pelmark
