#include "geotag/PlacedPhotos.h"

#include <cmath>

namespace pelmark {

namespace {

constexpr std::int64_t kTrackEpochInUnixSeconds = 631065600; // 1989-12-31 00:00:00 UTC
constexpr double kDegreesPerSemicircle = 180.0 / 2147483648.0;

std::uint32_t littleEndianWord(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t k = bytes.size(); k-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[k]);
    return value;
}

double degreesOf(std::string_view word) {
    return static_cast<std::int32_t>(littleEndianWord(word)) * kDegreesPerSemicircle;
}

} // namespace

std::optional<TrackPosition> positionOf(const TrackPoint& point) {
    if (point.position1.size() != 4 || point.position2.size() != 4) return std::nullopt;
    const TrackPosition position{degreesOf(point.position1), degreesOf(point.position2)};
    if (std::fabs(position.latitude) > 90) return std::nullopt;
    return position;
}

std::optional<std::int64_t> utcSecondsOf(const TrackPoint& point) {
    if (!point.time) return std::nullopt;
    return kTrackEpochInUnixSeconds + *point.time;
}

std::vector<PlacedPhoto> placedPhotos(const std::vector<PhotoVerdict>& verdicts, const Track& track,
                                      const std::vector<std::string>& names, const std::string& folder) {
    std::vector<PlacedPhoto> placed;
    for (std::size_t k = 0; k < verdicts.size() && k < names.size(); ++k) {
        if (verdicts[k].kind != PhotoVerdict::Kind::Matched) continue;
        const TrackPoint& point = track.slot(verdicts[k].point);
        const std::optional<TrackPosition> position = positionOf(point);
        if (!position) continue;
        PlacedPhoto photo{folder + names[k], names[k], position->latitude, position->longitude, {}, {}};
        if (point.altitude.size() == 2) photo.elevation = littleEndianWord(point.altitude);
        photo.utcSeconds = utcSecondsOf(point);
        placed.push_back(std::move(photo));
    }
    return placed;
}

} // namespace pelmark
