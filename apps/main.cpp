// The host program: `pelmark console ...` drives a control from a script, `pelmark geotag TRACK ...`
// geotags from the command line, `pelmark sample DIR` writes the sample trip, anything else shows the control
// in a window.

#include "WindowHost.h"
#include "base/Error.h"
#include "console/Console.h"
#include "geotag/GeotagCommand.h"
#include "sample/SampleTrip.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdlib>
#include <iostream>
#include <memory>
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
    if (!hasDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");
}

int runConsole(int argc, char** argv) {
    pelmark::console::ConsoleOptions options;
    try {
        options = pelmark::console::parseConsoleOptions(std::vector<std::string>(argv + 2, argv + argc));
    } catch (const pelmark::PelmarkError& error) {
        std::cerr << "pelmark console: " << error.what() << "\n"
                  << "usage: pelmark console [--widgets] [--decimal-separator C] [--launch record|real] "
                     "[--settings DIR]\n";
        return 2;
    }
    // Picture decoders are plugins, found through the application object.
    std::unique_ptr<QCoreApplication> app;
    if (options.widgets) {
        preferOffscreenWithoutDisplay();
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    try {
        pelmark::console::Console console(options);
        return console.run(std::cin, std::cout);
    } catch (const std::exception& error) {
        std::cerr << "pelmark console: " << error.what() << "\n";
        return 2;
    }
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
    QApplication app(argc, argv);
    try {
        pelmark::sample::writeSampleTrip(args[0], cameraAhead);
    } catch (const std::exception& error) {
        std::cerr << "pelmark sample: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "console") return runConsole(argc, argv);
    if (command == "sample") return runSample(argc, argv);
    if (command == "geotag")
        return pelmark::geotag::runGeotag({argv + 2, argv + argc}, std::cout, std::cerr,
                                          isatty(STDERR_FILENO));
    // Qt would abort without a display; say what works instead.
    if (!hasDisplay()) {
        std::cerr << "pelmark: no display to show the window on; use `pelmark console` for scripts, or set "
                     "QT_QPA_PLATFORM=offscreen\n";
        return 2;
    }
    return runWindowHost(argc, argv);
}
