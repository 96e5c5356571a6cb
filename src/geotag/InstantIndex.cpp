#include "geotag/InstantIndex.h"

#include "base/Error.h"

#include <algorithm>
#include <numeric>

namespace pelmark {

InstantIndex::InstantIndex(const GeoTrack& track) : track_(track) {
    const auto& points = track.points;
    if (points.size() > UINT32_MAX)
        throw PelmarkError(ErrorKind::InvalidArgument, "a track of more than 4294967295 points");
    const auto earlier = [&](std::size_t a, std::size_t b) {
        return points[a].utcSeconds < points[b].utcSeconds;
    };
    bool sorted = true;
    for (std::size_t p = 1; p < points.size() && sorted; ++p)
        sorted = !earlier(p, p - 1);
    if (sorted) return;
    order_.resize(points.size());
    std::iota(order_.begin(), order_.end(), 0u);
    std::stable_sort(order_.begin(), order_.end(), earlier);
}

std::size_t InstantIndex::firstAfter(double utcSeconds) const {
    std::size_t low = 0, high = size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (timeAt(middle) <= utcSeconds)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

std::size_t InstantIndex::firstOfTime(std::size_t rank) const {
    while (rank > 0 && timeAt(rank - 1) == timeAt(rank))
        --rank;
    return rank;
}

} // namespace pelmark
