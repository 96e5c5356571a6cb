#pragma once

#include "surface/Surface.h"

namespace pelmark {

// The small handlers of single fields: `FilePath` names its photo in its tool tip, and
// `StrobeReturnLight` can be ticked only while `Flash` is. Both follow program changes too (a load, the
// EXIF parser). The elements must exist by the time of the call.
void wireFieldHandlers(Surface& surface);

} // namespace pelmark
