#pragma once

#include "base/Variant.h"
#include "surface/Context.h"

namespace pelmark {

// The control keeps this size whatever its host asks for.
inline constexpr int kControlWidth = 15165;
inline constexpr int kControlHeight = 6240;

// Where the GARtrip path is stored, and what it is when nothing is stored.
inline constexpr const char* kOptionsSection = "Options";
inline constexpr const char* kGarTripPathKey = "GARTripPath";
inline constexpr const char* kDefaultGarTripPath = "D:\\Programme\\GPS\\GARtrip\\Gartrip.exe";

// Puts a new control into its start state and answers the stored GARtrip path.
Variant startUp(Context& context);

// Shows or hides the waypoint frame; the button's caption is the only record of which.
void toggleWaypointFrame(Surface& surface);

// Restores the control's fixed size after the host changed it.
void keepFixedSize(Surface& surface);

} // namespace pelmark
