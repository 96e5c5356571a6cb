#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace pelmark::host {

// What the window host's command line asks for.
struct HostArguments {
    enum class Action { ShowWindow, PrintHelp, PrintVersion, Fail };
    Action action = Action::ShowWindow;
    // The folder or photo to open, in the file system's bytes; empty: none. A folder ends in "/".
    std::string path;
    // The help or version text, or what is wrong with the command line.
    QString text;
};

// Reads `pelmark [FOLDER | PHOTO]` (arguments[0] is the program). A path that does not exist is a
// failure, so the user hears of a typing error before a window opens.
HostArguments parseHostArguments(const QStringList& arguments);

} // namespace pelmark::host
