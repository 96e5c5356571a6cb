#include "control/FrameActions.h"

namespace pelmark {

void toggleWaypointFrame(Surface& surface) {
    const Element& button = surface.get(ElementId::ShowHide);
    if (button.text.compare(0, 4, "Show") == 0) {
        surface.setText(ElementId::ShowHide, "Hide " + button.tag + " <<<");
        surface.setVisible(ElementId::WPFrame, true);
        const Element& waypoints = surface.get(ElementId::WPFrame);
        surface.setLeft(ElementId::EXFrame, waypoints.left + waypoints.width + 100);
    } else {
        surface.setText(ElementId::ShowHide, "Show " + button.tag + " >>>");
        surface.setVisible(ElementId::WPFrame, false);
        surface.setLeft(ElementId::EXFrame, 100);
    }
}

void keepFixedSize(Surface& surface) {
    surface.setHeight(ElementId::Veltora, kControlHeight);
    surface.setWidth(ElementId::Veltora, kControlWidth);
}

Variant fotoPrint(Surface& surface) {
    surface.setVisible(ElementId::WPFrame, false);
    surface.setVisible(ElementId::ShowHide, false);
    surface.setLeft(ElementId::EXFrame, 100);
    return Variant();
}

} // namespace pelmark
