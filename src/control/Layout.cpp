#include "control/Layout.h"

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

const Variant& GarTripPath::get() const {
    if (!value_) {
        // A stored empty path stays empty: only a missing entry gives the default.
        auto stored = platform_.readSetting(kOptionsSection, kGarTripPathKey);
        value_ = Variant(stored ? *stored : std::string(kDefaultGarTripPath));
    }
    return *value_;
}

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

} // namespace pelmark
