// `pelmark-headless`, started by `pelmark`: the headless console, `geotag` and the file-time restore run
// here, without Qt (QtCore is loaded when a service needs it, see apps/ondemand); the window,
// `console --widgets` and `sample` need widgets and go to `pelmark-gui` with the same arguments
// (`pelmark` sends them there itself).

#include "console/Console.h"
#include "geotag/GeotagCommand.h"
#include "restore/RestoreTimes.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

// The widget program: beside this one in the build tree, where the install put it otherwise.
int runGui(char** argv) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    for (const std::filesystem::path& candidate : {folder / "pelmark-gui", folder / PELMARK_GUI_FROM_PROGRAM})
        if (std::filesystem::exists(candidate, error)) {
            execv(candidate.c_str(), argv);
            std::cerr << "pelmark: cannot start " << candidate.string() << ": " << std::strerror(errno)
                      << "\n";
            return 2;
        }
    std::cerr << "pelmark: pelmark-gui is missing, so there is no window, no --widgets and no sample\n";
    return 2;
}

int runConsole(const pelmark::console::ConsoleOptions& options) {
    if (options.help) {
        std::cout << pelmark::console::consoleUsage();
        return 0;
    }
    return pelmark::console::runConsoleSession(options);
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "geotag")
        return pelmark::geotag::runGeotag({argv + 2, argv + argc}, std::cout, std::cerr,
                                          isatty(STDERR_FILENO));
    if (command == "restore-times")
        return pelmark::restore::runRestoreTimes({argv + 2, argv + argc}, std::cout, std::cerr);
    if (command != "console") return runGui(argv);
    const auto options = pelmark::console::readConsoleOptions({argv + 2, argv + argc});
    if (!options) return 2;
    return options->widgets ? runGui(argv) : runConsole(*options);
}
