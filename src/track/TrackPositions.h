#pragma once

#include "records/GeoTrack.h"
#include "records/TrackLog.h"

namespace pelmark {

// The instant a track file's time stands for: its seconds count from 1989-12-31 00:00:00 UTC.
inline constexpr double kTrackEpochUtc = 631065600;

// The points of a track file that take part in a match (all but the closing one), as one segment of
// the engine's track: positions from signed 32-bit semicircles (the first word the latitude, 2^31 =
// 180 degrees), the time from the track's epoch, the altitude as the control shows it (metres).
void appendTrackLog(const TrackLog& log, GeoTrack& track);

// One point so converted; nothing for a point without a time.
std::optional<GeoPoint> geoPointOf(const TrackPoint& point);

} // namespace pelmark
