#pragma once

#include "platform/Platform.h"

#include <QImage>
#include <optional>
#include <string>

namespace pelmark {

// Decodes a picture file straight to the size of the box that shows it (stretched to fill it, as the
// picture box does). The decoder scales while it reads, so a large photo never lives at full size in
// memory. Nothing when the file is missing, no picture, or broken.
std::optional<Picture> loadPictureScaled(const std::string& path, int widthPixels, int heightPixels);

// The same for a box given in twips at a screen resolution of `dpi`.
std::optional<Picture> loadPictureForBox(const std::string& path, int boxWidthTwips, int boxHeightTwips,
                                         double dpi);

// The pixels of a picture that this loader made; null for an empty picture.
const QImage* pictureImage(const Picture& picture);

} // namespace pelmark
