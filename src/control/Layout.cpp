#include "control/Layout.h"

#include "control/FrameActions.h"

#include <cmath>
#include <string>
#include <vector>

namespace pelmark {

namespace {

const std::vector<std::string> kExposurePrograms = {
    "1 - Manual Control",
    "2 - Program Normal",
    "3 - Aperture Priority",
    "4 - Shutter Priority",
    "5 - Program Creative (Slow Program)",
    "6 - Program Action (High-Speed Program)",
    "7 - Portrait Mode",
    "8 - Landscape Mode",
};

StatusPanel sizedToText(std::string tag) {
    StatusPanel panel;
    panel.tag = std::move(tag);
    panel.minWidth = 1;
    panel.autoSize = true;
    return panel;
}

} // namespace

void startUp(Context& context) {
    Surface& surface = context.surface;
    // The caption is still empty, so this takes the hide branch.
    toggleWaypointFrame(surface);

    // The picture box gets the 4:3 shape of a photo.
    const Element& bild = surface.get(ElementId::Bild);
    surface.setHeight(ElementId::Bild, static_cast<int>(std::nearbyint(bild.width * 3.0 / 4.0)));

    surface.setSelected(ElementId::Tab1, 0);
    surface.setItems(ElementId::ExposureProgram, kExposurePrograms);
    surface.setPanels(ElementId::StatusBar1, {sizedToText(" von "), sizedToText(" Tags (davon "),
                                              sizedToText(" Sub Tags) erkannt"), sizedToText("")});
    surface.setPanels(ElementId::StatusBar2, {sizedToText("Gelesene Trackpunkte: ")});
}

} // namespace pelmark
