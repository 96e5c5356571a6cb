#include "photos/FotoPrint.h"

namespace pelmark {

Variant fotoPrint(Surface& surface) {
    surface.setVisible(ElementId::WPFrame, false);
    surface.setVisible(ElementId::ShowHide, false);
    surface.setLeft(ElementId::EXFrame, 100);
    return Variant();
}

} // namespace pelmark
