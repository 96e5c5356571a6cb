#pragma once

#include "base/Variant.h"
#include "surface/Surface.h"

namespace pelmark {

// The control's own actions on its frames and its size.

// The control keeps this size whatever its host asks for.
inline constexpr int kControlWidth = 15165;
inline constexpr int kControlHeight = 6240;

// Shows or hides the waypoint frame; the button's caption is the only record of which.
void toggleWaypointFrame(Surface& surface);

// Restores the control's fixed size after the host changed it.
void keepFixedSize(Surface& surface);

// `FotoPrint`: leaves only the EXIF frame, moved to the left edge, for a printout of the control.
// Nothing is printed and nothing is put back here. Answers an empty value.
Variant fotoPrint(Surface& surface);

} // namespace pelmark
