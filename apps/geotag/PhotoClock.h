#pragma once

#include "zones/CameraZone.h"

#include <optional>
#include <string>

namespace pelmark::geotag {

// What a photo's time was read against.
enum class TimeBasis {
    None,              // no capture time
    OffsetTag,         // the photo's own OffsetTimeOriginal
    CameraZone,        // --camera-tz
    ControlComparison, // the control's comparison: the camera on GPS time plus two hours
};

// The control compares a photo's time with the track's time shown an hour late, plus another hour.
inline constexpr double kControlHoursAhead = 2 * 3600;

struct PhotoClock {
    TimeBasis basis = TimeBasis::None;
    std::optional<double> cameraUtc; // the instant the camera's clock gave, before any offset
    std::string zone;                // the zone assumed, in words
};

// `captured` is the capture time as the tag query answers it, `offsetTag` the photo's OffsetTimeOriginal
// (empty for none), `zone` the camera's zone when given.
PhotoClock photoClockOf(const std::string& captured, const std::string& offsetTag, const CameraZone* zone);

} // namespace pelmark::geotag
