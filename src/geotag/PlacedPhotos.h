#pragma once

#include "geotag/OffsetFinder.h"
#include "records/PlacedPhoto.h"
#include "records/Track.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pelmark {

// Where a point of the binary track lies: its first word the latitude, its second the longitude,
// each a signed little-endian count of 2^31ths of 180 degrees. Nothing for a point whose words are
// not whole or whose latitude lies past a pole.
struct TrackPosition {
    double latitude = 0;
    double longitude = 0;
};
std::optional<TrackPosition> positionOf(const TrackPoint& point);

// The point's time as seconds since 1970-01-01 UTC: the track counts from 1989-12-31 00:00:00 UTC.
std::optional<std::int64_t> utcSecondsOf(const TrackPoint& point);

// The matched photos with their points' places, in photo order; `folder` + name is a photo's path.
// A photo takes its point's position, altitude (whole metres, as the track holds them) and time: the
// instant the receiver was there, which needs no guess at the camera's zone. A point without a usable
// position places nothing.
std::vector<PlacedPhoto> placedPhotos(const std::vector<PhotoVerdict>& verdicts, const Track& track,
                                      const std::vector<std::string>& names, const std::string& folder);

} // namespace pelmark
