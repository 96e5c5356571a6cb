#include "track/TrackPositions.h"

#include "exif/ByteOrder.h"

#include <cstdint>

namespace pelmark {

namespace {

double semicircleDegrees(std::string_view raw) {
    const auto word = static_cast<std::uint32_t>(decodeUnsigned(raw, ByteOrder::Intel));
    return static_cast<double>(static_cast<std::int32_t>(word)) * (180.0 / 2147483648.0);
}

} // namespace

std::optional<GeoPoint> geoPointOf(const TrackPoint& point) {
    if (!point.time) return std::nullopt;
    GeoPoint geo;
    geo.latitude = semicircleDegrees(point.position1);
    geo.longitude = semicircleDegrees(point.position2);
    geo.utcSeconds = kTrackEpochUtc + *point.time;
    if (point.altitude.size() == 2)
        geo.elevation = static_cast<double>(decodeUnsigned(point.altitude, ByteOrder::Intel));
    return geo;
}

void appendTrackLog(const TrackLog& log, GeoTrack& track) {
    track.startSegment();
    for (long long p = 1; p <= log.matchedCount(); ++p) {
        if (const auto geo = geoPointOf(log.points.slot(p)))
            track.add(*geo);
        else
            ++track.skipped.withoutTime;
    }
}

} // namespace pelmark
