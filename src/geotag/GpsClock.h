#pragma once

#include "records/CameraOffset.h"

#include <optional>
#include <string_view>

namespace pelmark {

// The offset from a photo of the GPS receiver's clock: the photo was taken at `exifTime` by the
// camera's clock ("YYYY:MM:DD HH:MM:SS") while the receiver showed `clockShown` ("HH:MM:SS" or
// "HH:MM", GPS time). The matching counts a point's time as GPS time plus two hours, so that is what
// the corrected photo time must come to. The clocks are taken to differ by less than half a day: the
// shown time belongs to the day that makes the offset smallest. Nothing for a photo without a
// capture time or a clock time that cannot be read.
std::optional<CameraOffset> offsetFromGpsClock(std::string_view exifTime, std::string_view clockShown);

} // namespace pelmark
