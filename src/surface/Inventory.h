#pragma once

#include "surface/Surface.h"

namespace pelmark {

// Adds every named element of the control to `surface`, as the control is created: before start-up
// has run (the waypoint frame still shown, one panel in `StatusBar1`, an empty exposure-program list).
void buildInventory(Surface& surface);

} // namespace pelmark
