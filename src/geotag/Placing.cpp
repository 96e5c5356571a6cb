#include "geotag/Placing.h"

#include <cmath>

namespace pelmark {

namespace {

// The place a fraction `f` of the way from `a` to `b`; longitudes across the date line go the short
// way round.
GeoPoint between(const GeoPoint& a, const GeoPoint& b, double f) {
    GeoPoint place = a;
    place.latitude = a.latitude + f * (b.latitude - a.latitude);
    double east = b.longitude - a.longitude;
    if (east > 180) east -= 360;
    if (east < -180) east += 360;
    place.longitude = a.longitude + f * east;
    if (place.longitude > 180) place.longitude -= 360;
    if (place.longitude < -180) place.longitude += 360;
    place.elevation.reset();
    if (a.elevation && b.elevation) place.elevation = *a.elevation + f * (*b.elevation - *a.elevation);
    return place;
}

// The pair of neighbours in one segment around `t` (first at or before it, second after it), found
// from the points nearest to it in time: a segment's points stand together and in time order.
std::optional<std::pair<std::size_t, std::size_t>> segmentPair(const GeoTrack& track, double t,
                                                               std::optional<std::size_t> before,
                                                               std::optional<std::size_t> after) {
    const auto& points = track.points;
    const auto sameSegment = [&](std::size_t a, std::size_t b) {
        return points[a].segment == points[b].segment;
    };
    if (before && *before + 1 < points.size() && sameSegment(*before, *before + 1) &&
        points[*before + 1].utcSeconds > t)
        return std::pair{*before, *before + 1};
    if (after && *after > 0 && sameSegment(*after - 1, *after) && points[*after - 1].utcSeconds <= t)
        return std::pair{*after - 1, *after};
    return std::nullopt;
}

} // namespace

Placement placePhoto(std::optional<double> utcSeconds, const InstantIndex& index, const MatchRule& rule) {
    Placement result;
    if (!utcSeconds || !std::isfinite(*utcSeconds)) return result;
    const double t = *utcSeconds;
    if (index.size() == 0) {
        result.verdict.kind = PhotoVerdict::Kind::NoPointThatMonth;
        return result;
    }
    const auto& points = index.track().points;
    const std::size_t after = index.firstAfter(t);
    std::optional<std::size_t> beforePoint, afterPoint;
    if (after > 0) beforePoint = index.pointAt(index.firstOfTime(after - 1));
    if (after < index.size()) afterPoint = index.pointAt(after);

    // The nearest point; of two as near, the lower number.
    std::size_t nearest = beforePoint ? *beforePoint : *afterPoint;
    if (beforePoint && afterPoint) {
        const double back = t - points[*beforePoint].utcSeconds, ahead = points[*afterPoint].utcSeconds - t;
        if (ahead < back || (ahead == back && *afterPoint < *beforePoint)) nearest = *afterPoint;
    }
    PhotoVerdict& verdict = result.verdict;
    verdict.point = static_cast<int>(std::min<std::size_t>(nearest + 1, INT32_MAX));
    verdict.seconds = std::fabs(t - points[nearest].utcSeconds);
    verdict.pointBefore = points[nearest].utcSeconds < t;

    if (rule.interpolateSeconds && verdict.seconds != 0) {
        const auto pair = segmentPair(index.track(), t, beforePoint, afterPoint);
        if (pair) {
            const GeoPoint &a = points[pair->first], &b = points[pair->second];
            if (b.utcSeconds - a.utcSeconds <= *rule.interpolateSeconds) {
                verdict.kind = PhotoVerdict::Kind::Matched;
                result.interpolated = true;
                result.place = between(a, b, (t - a.utcSeconds) / (b.utcSeconds - a.utcSeconds));
                result.place.utcSeconds = t;
                return result;
            }
        }
    }
    verdict.kind =
        verdict.seconds < rule.limitSeconds ? PhotoVerdict::Kind::Matched : PhotoVerdict::Kind::BeyondLimit;
    if (verdict.kind == PhotoVerdict::Kind::Matched) result.place = points[nearest];
    return result;
}

std::optional<PlacedPhoto> placedPhoto(const PhotoInstant& photo, const Placement& placement) {
    if (placement.verdict.kind != PhotoVerdict::Kind::Matched) return std::nullopt;
    PlacedPhoto placed{photo.path,
                       photo.name,
                       placement.place.latitude,
                       placement.place.longitude,
                       placement.place.elevation,
                       std::nullopt};
    placed.utcSeconds = std::llround(placement.place.utcSeconds);
    return placed;
}

std::vector<PlacedPhoto> placedPhotos(const std::vector<PhotoInstant>& photos, const GeoTrack& track,
                                      const MatchRule& rule) {
    const InstantIndex index(track);
    std::vector<PlacedPhoto> placed;
    for (const PhotoInstant& photo : photos)
        if (auto one = placedPhoto(photo, placePhoto(photo.utcSeconds, index, rule)))
            placed.push_back(std::move(*one));
    return placed;
}

} // namespace pelmark
