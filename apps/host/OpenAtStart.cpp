#include "host/OpenAtStart.h"

#include "base/Variant.h"
#include "control/VeltoraControl.h"

namespace pelmark::host {

void openAtStart(VeltoraControl& control, const std::string& path) {
    Variant folder(path);
    control.OpenFolder(folder);
    Surface& surface = control.surface();
    if (surface.value(ElementId::UpDown1) < 1) return; // no photo in it
    surface.setValue(ElementId::ShowPictures, 1);
    Variant photo(surface.text(ElementId::FilePath));
    control.LoadPictures(photo);
}

} // namespace pelmark::host
