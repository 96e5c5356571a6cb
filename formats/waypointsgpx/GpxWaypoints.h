#pragma once

#include "records/PlacedPhoto.h"

#include <string>
#include <vector>

namespace pelmark {

// A GPX 1.1 document with one waypoint per photo, in the given order: its position, `ele` when
// known, `time` in UTC, the file name as `name`, and a `link` to the photo as a file URI. Names that
// are no UTF-8, or hold characters XML cannot carry, show those bytes as U+FFFD; the link keeps
// every byte, percent-escaped.
std::string gpxWaypoints(const std::vector<PlacedPhoto>& photos);

} // namespace pelmark
