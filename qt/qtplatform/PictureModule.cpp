#include "qtplatform/PictureModule.h"

#include "qtplatform/PictureLoader.h"

extern "C" __attribute__((visibility("default"))) bool
pelmark_load_picture_for_box(const std::string* path, int boxWidthTwips, int boxHeightTwips, double dpi,
                             pelmark::Picture* out) {
    // The checked signature: a change on either side fails to build instead of failing at run time.
    [[maybe_unused]] constexpr pelmark::LoadPictureEntry checked = &pelmark_load_picture_for_box;
    std::optional<pelmark::Picture> picture =
        pelmark::loadPictureForBox(*path, boxWidthTwips, boxHeightTwips, dpi);
    if (!picture) return false;
    *out = std::move(*picture);
    return true;
}
