#pragma once

#include "platform/Platform.h"

#include <string>

namespace pelmark {

// The one entry of the picture module (pelmark-pictures.so), which a headless program loads only when
// it is asked for a picture: decodes `path` to the size of a box given in twips at `dpi`, as
// loadPictureForBox does. False when there is no picture.
using LoadPictureEntry = bool (*)(const std::string* path, int boxWidthTwips, int boxHeightTwips, double dpi,
                                  Picture* out);
inline constexpr const char* kLoadPictureEntryName = "pelmark_load_picture_for_box";

} // namespace pelmark
