#pragma once

#include "console/ConsolePlatform.h"
#include "console/Help.h"
#include "console/SurfaceDriver.h"
#include "control/VeltoraControl.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pelmark::console {

struct ConsoleOptions {
    bool widgets = false;
    std::optional<char> decimalSeparator; // nothing: the locale's
    ConsolePlatform::Launch launch = ConsolePlatform::Launch::Record;
    std::string settingsFolder; // empty: the user's own store
    bool help = false;          // --help: print the usage and do nothing else
    // How --widgets makes its driver: set by the widgets module (makeWidgetDriver), so that `pelmark`
    // itself links no GUI library.
    std::unique_ptr<SurfaceDriver> (*makeWidgets)(VeltoraControl&) = nullptr;
};

// Reads `pelmark console`'s options; throws PelmarkError (InvalidArgument) for an unknown or
// incomplete one.
ConsoleOptions parseConsoleOptions(const std::vector<std::string>& arguments);
// The same for a program's command line: a refused option is explained on stderr with the usage, and
// gives no options (the program ends with exit code 2).
std::optional<ConsoleOptions> readConsoleOptions(const std::vector<std::string>& arguments);

// Runs a whole session on standard input and output; a console that cannot start is reported on standard
// error with exit code 2. `pelmark` and the widgets module both start it this way.
int runConsoleSession(const ConsoleOptions& options);

// One control driven line by line: the host's member calls and the user's actions, each answered by
// one line of JSON.
class Console {
public:
    // The widget driver needs a QApplication alive before the console is made.
    explicit Console(const ConsoleOptions& options);
    ~Console();

    // The answer to one line, or nothing for a line that is empty or a comment.
    std::optional<std::string> answer(const std::string& line);
    // False once a line could not be understood (the exit code is then 2).
    bool allUnderstood() const { return allUnderstood_; }

    // Answers every line of `in` on `out`, flushing each; answers the exit code.
    int run(std::istream& in, std::ostream& out);

    VeltoraControl& control() { return *control_; }

private:
    class Words; // the words of an action line, each decoded or refused

    // One action: its summary for `:help`, and what it does with the words after it.
    struct Command {
        CommandSummary summary;
        std::string (Console::*run)(Words&);
    };
    static const std::vector<Command>& commands();

    std::string memberCall(const std::string& name, const std::string& line);
    std::string action(const std::string& command, const std::string& line);

    std::string set(Words& words);
    std::string get(Words& words);
    std::string click(Words& words);
    std::string mouseMove(Words& words);
    std::string timer(Words& words);
    std::string drop(Words& words);
    std::string resize(Words& words);
    std::string file(Words& words);
    std::string fileCancel(Words& words);
    std::string answerBox(Words& words);
    std::string input(Words& words);
    std::string inputCancel(Words& words);
    std::string stopAtYield(Words& words);
    std::string messages(Words& words);
    std::string dialogs(Words& words);
    std::string launched(Words& words);
    std::string help(Words& words);

    ConsolePlatform platform_;
    std::unique_ptr<VeltoraControl> control_;
    std::unique_ptr<SurfaceDriver> driver_;
    bool allUnderstood_ = true;
};

} // namespace pelmark::console
