#include "PictureLoader.h"

#include "Latin1Text.h"
#include "Twips.h"

#include <QImageReader>
#include <algorithm>
#include <memory>

namespace pelmark {

namespace {

// A picture decoded at the box's size never needs more; a file claiming more fails at once instead of
// holding the control while the decoder works through it.
constexpr int kAllocationLimitMegabytes = 32;

} // namespace

std::optional<Picture> loadPictureScaled(const std::string& path, int widthPixels, int heightPixels) {
    QImageReader reader(pathToQt(path));
    reader.setAllocationLimit(kAllocationLimitMegabytes);
    if (!reader.canRead()) return std::nullopt;
    // A box of zero size still shows one pixel rather than asking the decoder for nothing.
    reader.setScaledSize(QSize(std::max(1, widthPixels), std::max(1, heightPixels)));
    QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    Picture picture;
    picture.width = image.width();
    picture.height = image.height();
    picture.image = std::make_shared<const QImage>(std::move(image));
    return picture;
}

std::optional<Picture> loadPictureForBox(const std::string& path, int boxWidthTwips, int boxHeightTwips,
                                         double dpi) {
    return loadPictureScaled(path, twipsToPixels(boxWidthTwips, dpi), twipsToPixels(boxHeightTwips, dpi));
}

const QImage* pictureImage(const Picture& picture) {
    return static_cast<const QImage*>(picture.image.get());
}

} // namespace pelmark
