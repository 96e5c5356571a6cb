#include "control/FieldHandlers.h"

namespace pelmark {

void wireFieldHandlers(Surface& surface) {
    surface.on(ElementId::FilePath, Event::Change, [&surface](const EventArgs&) {
        surface.setToolTip(ElementId::FilePath, "Bild: " + surface.text(ElementId::FilePath));
    });
    // Only the enabled state follows: the tick the parser or the user gave stays.
    surface.on(ElementId::Flash, Event::Change, [&surface](const EventArgs&) {
        surface.setEnabled(ElementId::StrobeReturnLight, surface.value(ElementId::Flash) == 1);
    });
}

} // namespace pelmark
