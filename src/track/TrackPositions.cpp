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

} // namespace

std::optional<TrackPlace> placeOf(const TrackPoint& point) {
    if (point.position1.size() != 4 || point.position2.size() != 4) return std::nullopt;
    return TrackPlace{semicircleDegrees(point.position1), semicircleDegrees(point.position2)};
}

std::optional<GeoPoint> geoPointOf(const TrackPoint& point) {
    const std::optional<TrackPlace> place = placeOf(point);
    if (!point.time || !place || std::fabs(place->latitude) > 90) return std::nullopt;
    GeoPoint geo;
    geo.latitude = place->latitude;
    geo.longitude = place->longitude;
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
