#pragma once

#include "platform/Platform.h"

#include <optional>
#include <string>

namespace pelmark::ondemand {

// Decodes a picture through the picture module, loaded the first time a picture is wanted, so that a
// console that shows no picture never loads a GUI library. Nothing when there is no picture, or when
// the module cannot be loaded (said once on stderr).
std::optional<Picture> loadPictureOnDemand(const std::string& path, int boxWidthTwips, int boxHeightTwips,
                                           double dpi);

} // namespace pelmark::ondemand
