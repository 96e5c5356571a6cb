#include "track/TrackPositions.h"

#include "exif/ByteOrder.h"

#include <cmath>
#include <cstdint>

namespace pelmark {

namespace {

double semicircleDegrees(std::string_view raw) {
    const auto word = static_cast<std::uint32_t>(decodeUnsigned(raw, ByteOrder::Intel));
    return static_cast<double>(static_cast<std::int32_t>(word)) * (180.0 / 2147483648.0);
}

bool hasPlace(const TrackPoint& point) {
    return point.position1.size() == 4 && point.position2.size() == 4 &&
           std::fabs(semicircleDegrees(point.position1)) <= 90;
}

} // namespace

std::optional<GeoPoint> geoPointOf(const TrackPoint& point) {
    if (!point.time || !hasPlace(point)) return std::nullopt;
    GeoPoint geo;
    geo.latitude = semicircleDegrees(point.position1);
    geo.longitude = semicircleDegrees(point.position2);
    geo.utcSeconds = kTrackEpochUtc + *point.time;
    if (point.altitude.size() == 2)
        geo.elevation = static_cast<double>(decodeUnsigned(point.altitude, ByteOrder::Intel));
    return geo;
}

void addTrackPoint(const TrackPoint& point, GeoTrack& track) {
    if (const auto geo = geoPointOf(point))
        track.add(*geo);
    else if (!point.time)
        ++track.skipped.withoutTime;
    else
        ++track.skipped.withoutPosition;
}

void appendTrackLog(const TrackLog& log, GeoTrack& track) {
    track.startSegment();
    for (long long p = 1; p <= log.matchedCount(); ++p)
        addTrackPoint(log.points.slot(p), track);
}

} // namespace pelmark
