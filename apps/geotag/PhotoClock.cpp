#include "geotag/PhotoClock.h"

#include "base/InstantText.h"

namespace pelmark::geotag {

PhotoClock photoClockOf(const std::string& captured, const std::string& offsetTag, const CameraZone* zone) {
    PhotoClock clock;
    const auto local = exifClockSeconds(captured);
    if (!local) return clock;
    if (const auto east = utcOffsetSeconds(offsetTag)) {
        clock = {TimeBasis::OffsetTag, *local - *east, zoneOffsetText(*east) + " (OffsetTimeOriginal)"};
    } else if (zone != nullptr) {
        const CameraZone::Instant at = zone->utcOf(*local);
        clock = {TimeBasis::CameraZone, at.utcSeconds,
                 zone->name() + " " + at.abbreviation + " " + zoneOffsetText(at.offsetSeconds)};
    } else {
        clock = {TimeBasis::ControlComparison, *local - kControlHoursAhead, "GPS time + 2 h (the control's)"};
    }
    return clock;
}

} // namespace pelmark::geotag
