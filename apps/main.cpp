// `pelmark`: every command starts here. `pelmark console ...` drives a control from a script, `pelmark
// geotag TRACK ...` geotags from the command line, `pelmark restore-times` puts back file times,
// `pelmark sample DIR` writes the sample trip, anything else shows the control in a window (`pelmark
// --help`). The window and its command line, `console --widgets`, `sample` and pictures run in the
// widgets module, loaded only for them (see ondemand/WidgetsModule.h); QtCore's services come when
// first wanted (qtplatform/CoreServices.h).

#include "console/Console.h"
#include "console/Help.h"
#include "geotag/GeotagCommand.h"
#include "ondemand/WidgetsOnDemand.h"
#include "restore/RestoreTimes.h"

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A display, or a Qt platform chosen by the user, to put widgets on.
bool hasDisplay() {
    return std::getenv("QT_QPA_PLATFORM") != nullptr || std::getenv("DISPLAY") != nullptr ||
           std::getenv("WAYLAND_DISPLAY") != nullptr;
}

// Widgets need a display; without one they run on Qt's offscreen platform.
void preferOffscreenWithoutDisplay() {
    if (!hasDisplay()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

// Runs a command in the widgets module; exit code 2 when it cannot be loaded (said on stderr).
template <class Run>
int inWidgetsModule(Run run) {
    const pelmark::ondemand::WidgetsEntries* widgets = pelmark::ondemand::widgetsModule();
    return widgets != nullptr ? run(*widgets) : 2;
}

int runConsole(int argc, char** argv) {
    const std::optional<pelmark::console::ConsoleOptions> options =
        pelmark::console::readConsoleOptions({argv + 2, argv + argc});
    if (!options) return 2;
    if (options->help) {
        std::cout << pelmark::console::consoleUsage();
        return 0;
    }
    if (!options->widgets) return pelmark::console::runConsoleSession(*options);
    preferOffscreenWithoutDisplay();
    return inWidgetsModule([&](const auto& widgets) { return widgets.console(argc, argv); });
}

int runSample(int argc, char** argv) {
    // `--camera-ahead SECONDS` writes the same trip with the camera's clock that far ahead.
    const std::vector<std::string> args(argv + 2, argv + argc);
    long cameraAhead = 0;
    char* end = nullptr;
    if (args.size() == 3 && args[1] == "--camera-ahead") cameraAhead = std::strtol(args[2].c_str(), &end, 10);
    if (!(args.size() == 1 || (args.size() == 3 && end != nullptr && *end == '\0' && !args[2].empty() &&
                               std::labs(cameraAhead) <= 12 * 3600))) {
        std::cerr << "usage: pelmark sample DIR [--camera-ahead SECONDS]\n";
        return 2;
    }
    preferOffscreenWithoutDisplay();
    return inWidgetsModule(
        [&](const auto& widgets) { return widgets.sample(argc, argv, &args[0], cameraAhead); });
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "console") return runConsole(argc, argv);
    if (command == "geotag")
        return pelmark::geotag::runGeotag({argv + 2, argv + argc}, std::cout, std::cerr,
                                          isatty(STDERR_FILENO));
    if (command == "restore-times")
        return pelmark::restore::runRestoreTimes({argv + 2, argv + argc}, std::cout, std::cerr);
    if (command == "sample") return runSample(argc, argv);
    return inWidgetsModule([&](const auto& widgets) { return widgets.window(argc, argv); });
}
