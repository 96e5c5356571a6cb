#include "ondemand/PictureOnDemand.h"

#include "ondemand/ModuleEntry.h"
#include "qtplatform/PictureModule.h"

#include <iostream>

namespace pelmark::ondemand {

namespace {

LoadPictureEntry findEntry() {
    std::string failure;
    // The module stays loaded: the pictures it made free their pixels through its code.
    void* entry = moduleEntry("pelmark-pictures.so", PELMARK_PICTURE_MODULE_FROM_PROGRAM,
                              kLoadPictureEntryName, failure);
    if (entry == nullptr) std::cerr << "pelmark: pictures cannot be shown: " << failure << "\n";
    return reinterpret_cast<LoadPictureEntry>(entry);
}

} // namespace

std::optional<Picture> loadPictureOnDemand(const std::string& path, int boxWidthTwips, int boxHeightTwips,
                                           double dpi) {
    static const LoadPictureEntry entry = findEntry();
    Picture picture;
    if (entry == nullptr || !entry(&path, boxWidthTwips, boxHeightTwips, dpi, &picture)) return std::nullopt;
    return picture;
}

} // namespace pelmark::ondemand
