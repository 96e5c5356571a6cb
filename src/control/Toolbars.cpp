#include "control/Toolbars.h"

#include "base/NumberText.h"
#include "photos/PhotoLoader.h"

namespace pelmark {

namespace {

constexpr ElementId kNavigationGroup[] = {ElementId::Controller,   ElementId::ActPictNum,
                                          ElementId::PictureCount, ElementId::BildLabel,
                                          ElementId::RandomChoose, ElementId::UpDown1};

// Cancelled, failed or done, the user asked for one photo or for a folder: the mode follows the button.
template <class Open>
void openThenSwitch(Surface& surface, bool folderMode, Open open) {
    try {
        open();
    } catch (...) {
        setFolderMode(surface, folderMode);
        throw;
    }
    setFolderMode(surface, folderMode);
}

} // namespace

void toolbar1Clicked(Context& context, PhotoLoader& loader, const std::string& key) {
    if (key == "Load") {
        openThenSwitch(context.surface, false, [&] { loader.loadPictures(Variant::missing()); });
    } else if (key == "Open Folder") {
        openThenSwitch(context.surface, true, [&] {
            Variant path = Variant::missing();
            loader.openFolder(path);
        });
    }
}

void toolbar2Clicked(Context& context, GarTripPath& garTripPath, const std::string& key) {
    Platform& platform = context.platform;
    if (key == "Load") return; // its twin on the photo toolbar loads; this one was never given work
    if (key == "Options") {
        // Whatever the user answers is the path, also nothing: a cancel stores the empty text too.
        auto answer = platform.inputBox("Geben Sie den Pfad des GARTrip-Programms ein!", "GarTrip",
                                        textOf(garTripPath.get(), platform.decimalSeparator()));
        std::string path = answer.value_or(std::string());
        garTripPath.set(Variant(path));
        platform.writeSetting(kOptionsSection, kGarTripPathKey, path);
        return;
    }
    platform.messageBox("Dieser Button ist leider noch nicht programmiert: " + key, MessageButtons::Ok, "");
}

void setFolderMode(Surface& surface, bool folderMode) {
    for (ElementId id : kNavigationGroup)
        surface.setEnabled(id, folderMode);
}

// A move while the hint shows leaves its countdown running: the hint is a reminder, not a tool tip that
// follows the mouse.
void showGarTripHint(Surface& surface) {
    surface.setVisible(ElementId::GarTripToolTipText, true);
    surface.setTimerEnabled(ElementId::GarTripToolTipTextTimer, true);
}

void hideGarTripHint(Surface& surface) {
    surface.setTimerEnabled(ElementId::GarTripToolTipTextTimer, false);
    surface.setVisible(ElementId::GarTripToolTipText, false);
}

} // namespace pelmark
