#include "photos/FotoPrint.h"

namespace pelmark {

Variant fotoPrint(Surface& surface) {
    surface.setVisible("WPFrame", false);
    surface.setVisible("ShowHide", false);
    surface.setLeft("EXFrame", 100);
    return Variant();
}

} // namespace pelmark
