#pragma once

#include "console/ConsolePlatform.h"
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
};

// Reads `pelmark console`'s options; throws PelmarkError (InvalidArgument) for an unknown or
// incomplete one.
ConsoleOptions parseConsoleOptions(const std::vector<std::string>& arguments);

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
    struct Refused; // a line the console cannot understand

    std::string memberCall(const std::string& name, const std::string& line);
    std::string action(const std::string& command, const std::string& line);

    ConsolePlatform platform_;
    std::unique_ptr<VeltoraControl> control_;
    std::unique_ptr<SurfaceDriver> driver_;
    bool allUnderstood_ = true;
};

} // namespace pelmark::console
