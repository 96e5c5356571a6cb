#pragma once

#include "ondemand/WidgetsModule.h"

#include <optional>
#include <string>

namespace pelmark::ondemand {

// The widgets module, loaded the first time it is wanted and never closed (pictures free their pixels
// through its code). Null when it cannot be loaded, said once on stderr.
const WidgetsEntries* widgetsModule();

// Decodes a picture through the widgets module. Nothing when there is no picture, or no module.
std::optional<Picture> loadPictureOnDemand(const std::string& path, int boxWidthTwips, int boxHeightTwips,
                                           double dpi);

} // namespace pelmark::ondemand
