#pragma once

#include "records/GeoTrack.h"
#include "records/TrackLog.h"

#include <optional>

namespace pelmark {

// The instant a track file's time stands for: its seconds count from 1989-12-31 00:00:00 UTC.
inline constexpr double kTrackEpochUtc = 631065600;

// Where a point of a track file lies, in degrees: its words are signed 32-bit little-endian
// semicircles (the first the latitude, 2^31 = 180 degrees). Nothing for a word cut short.
struct TrackPlace {
    double latitude = 0;
    double longitude = 0;
};
std::optional<TrackPlace> placeOf(const TrackPoint& point);

// One point of a track file as the engine compares it: positions from signed 32-bit little-endian
// semicircles (the first word the latitude, 2^31 = 180 degrees), the time from the track's epoch, the
// altitude as the control shows it (whole metres). Nothing for a point without a time, with a word
// cut short, or with a latitude past a pole: such a point is no place on the earth.
std::optional<GeoPoint> geoPointOf(const TrackPoint& point);

// Adds `point` to the current segment of `track`, or counts why it cannot take part.
void addTrackPoint(const TrackPoint& point, GeoTrack& track);

// The points of a track file that take part in a match (all but the closing one), as one segment of
// the engine's track.
void appendTrackLog(const TrackLog& log, GeoTrack& track);

} // namespace pelmark
