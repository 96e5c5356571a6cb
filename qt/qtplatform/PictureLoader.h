#pragma once

#include "platform/Platform.h"

#include <QImage>
#include <QObject>
#include <functional>
#include <optional>
#include <string>

namespace pelmark {

// Decodes a picture file straight to the size of the box that shows it (stretched to fill it, as the
// picture box does). The decoder scales while it reads, so a large photo never lives at full size in
// memory. Nothing when the file is missing, no picture, or broken.
std::optional<Picture> loadPictureScaled(const std::string& path, int widthPixels, int heightPixels);

// A picture of pixels already at hand.
Picture pictureOf(QImage image);

// The same for a box given in twips at a screen resolution of `dpi`.
std::optional<Picture> loadPictureForBox(const std::string& path, int boxWidthTwips, int boxHeightTwips,
                                         double dpi);

// The same, decoded on the picture thread: answers at once with the box's size once the file's header
// says it is a picture, and the pixels follow (see `pictureImage` and `whenDecoded`). A picture that
// nobody holds any more when its turn comes is never decoded, so while photos follow each other faster
// than they decode, only the newest one costs a decode.
std::optional<Picture> loadPictureInBackground(const std::string& path, int boxWidthTwips, int boxHeightTwips,
                                               double dpi);

// The pixels of a picture that this loader made; null for an empty picture, and while one is decoding.
const QImage* pictureImage(const Picture& picture);

// Calls `decoded` on `receiver`'s thread once the picture's pixels are there (right away when they are);
// never once the receiver is gone.
void whenDecoded(const Picture& picture, QObject* receiver, std::function<void()> decoded);

} // namespace pelmark
