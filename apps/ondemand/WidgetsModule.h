#pragma once

#include "platform/Platform.h"

#include <string>

namespace pelmark::ondemand {

// What `pelmark` takes from the widgets module (pelmark-widgets.so: Qt's widgets and GUI, the widget
// surface, the window host and its command line, pictures), which it loads only for a command that needs
// them. Each entry runs a command whole inside the module, so nothing but these plain values crosses its
// edge.
struct WidgetsEntries {
    // `pelmark [FOLDER | PHOTO]`, `--help` and `--version`: the window's command line (read with QtCore,
    // which `pelmark` itself does not link) and the window; the exit code.
    int (*window)(int argc, char** argv);
    // `pelmark console --widgets ...`, its options already accepted; the exit code.
    int (*console)(int argc, char** argv);
    // `pelmark sample DIR`; the exit code.
    int (*sample)(int argc, char** argv, const std::string* folder, long cameraAheadSeconds);
    // Decodes `path` to the size of a box given in twips at `dpi`; false when there is no picture.
    bool (*picture)(const std::string* path, int boxWidthTwips, int boxHeightTwips, double dpi, Picture* out);
};

// The module's one symbol.
using WidgetsEntry = const WidgetsEntries* (*)();
inline constexpr const char* kWidgetsEntryName = "pelmark_widgets";

} // namespace pelmark::ondemand
