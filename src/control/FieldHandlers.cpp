#include "control/FieldHandlers.h"

namespace pelmark {

void wireFieldHandlers(Surface& surface) {
    surface.on("FilePath", Event::Change, [&surface](const EventArgs&) {
        surface.setToolTip("FilePath", "Bild: " + surface.text("FilePath"));
    });
    // Only the enabled state follows: the tick the parser or the user gave stays.
    surface.on("Flash", Event::Change, [&surface](const EventArgs&) {
        surface.setEnabled("StrobeReturnLight", surface.value("Flash") == 1);
    });
}

} // namespace pelmark
