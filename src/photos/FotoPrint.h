#pragma once

#include "base/Variant.h"
#include "surface/Surface.h"

namespace pelmark {

// `FotoPrint`: leaves only the EXIF frame, moved to the left edge, for a printout of the control.
// Nothing is printed and nothing is put back here. Answers an empty value.
Variant fotoPrint(Surface& surface);

} // namespace pelmark
