// The widgets module's side: every command that needs Qt's widgets or GUI runs here, so `pelmark` loads
// them only for those.

#include "ondemand/WidgetsModule.h"

#include "WindowHost.h"
#include "console/Console.h"
#include "host/HostArguments.h"
#include "qtplatform/PictureLoader.h"
#include "sample/SampleTrip.h"
#include "widget/ToolbarIcons.h"

#include <QApplication>
#include <QStringList>
#include <cstdlib>
#include <exception>
#include <iostream>

namespace pelmark::ondemand {

namespace {

int runWindow(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    using Action = host::HostArguments::Action;
    const host::HostArguments host = host::parseHostArguments(arguments);
    if (host.action != Action::ShowWindow) {
        (host.action == Action::Fail ? std::cerr : std::cout) << host.text.toLocal8Bit().toStdString();
        return host.action == Action::Fail ? 2 : 0;
    }
    // Qt would abort without a display; say what works instead.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr &&
        std::getenv("WAYLAND_DISPLAY") == nullptr) {
        std::cerr << "pelmark: no display to show the window on; use `pelmark console` for scripts, or set "
                     "QT_QPA_PLATFORM=offscreen\n";
        return 2;
    }
    return runWindowHost(argc, argv, host.path);
}

int runConsole(int argc, char** argv) {
    std::optional<console::ConsoleOptions> options = console::readConsoleOptions({argv + 2, argv + argc});
    if (!options) return 2;
    options->makeWidgets = console::makeWidgetDriver;
    QApplication app(argc, argv);
    QApplication::setStyle(new FirstUseToolbarExtensionStyle);
    return console::runConsoleSession(*options);
}

int runSample(int argc, char** argv, const std::string* folder, long cameraAheadSeconds) {
    QApplication app(argc, argv);
    try {
        sample::writeSampleTrip(*folder, cameraAheadSeconds);
    } catch (const std::exception& error) {
        std::cerr << "pelmark sample: " << error.what() << "\n";
        return 1;
    }
    std::cout << "wrote the sample trip to " << *folder << ": " << sample::samplePhotos().size()
              << " photos and the track " << sample::kSampleTrackName;
    if (cameraAheadSeconds != 0) std::cout << " (the camera's clock " << cameraAheadSeconds << " s ahead)";
    std::cout << "\n";
    return std::cout ? 0 : 1;
}

bool decodePicture(const std::string* path, int boxWidthTwips, int boxHeightTwips, double dpi, Picture* out) {
    std::optional<Picture> picture = loadPictureForBox(*path, boxWidthTwips, boxHeightTwips, dpi);
    if (!picture) return false;
    *out = std::move(*picture);
    return true;
}

} // namespace

} // namespace pelmark::ondemand

extern "C" __attribute__((visibility("default"))) const pelmark::ondemand::WidgetsEntries* pelmark_widgets() {
    // The checked signature: a change on either side fails to build instead of failing at run time.
    [[maybe_unused]] constexpr pelmark::ondemand::WidgetsEntry checked = &pelmark_widgets;
    static constexpr pelmark::ondemand::WidgetsEntries entries{
        &pelmark::ondemand::runWindow, &pelmark::ondemand::runConsole, &pelmark::ondemand::runSample,
        &pelmark::ondemand::decodePicture};
    return &entries;
}
