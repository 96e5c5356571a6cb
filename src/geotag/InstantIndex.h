#pragma once

#include "records/GeoTrack.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelmark {

// The points of a track in time order, for finding the points around an instant by binary search.
// Points of equal time keep their reading order, so the first of them is the lowest point number.
// A track read in time order (the usual case: one receiver, one file) is its own order and costs
// nothing; otherwise the order is one 32-bit number per point.
class InstantIndex {
public:
    // Throws PelmarkError (InvalidArgument) for a track of 2^32 points or more.
    explicit InstantIndex(const GeoTrack& track);

    std::size_t size() const { return track_.points.size(); }
    // The point (an index into the track's points) at `rank` in time order.
    std::size_t pointAt(std::size_t rank) const { return order_.empty() ? rank : order_[rank]; }
    double timeAt(std::size_t rank) const { return track_.points[pointAt(rank)].utcSeconds; }
    // The rank of the first point later than `utcSeconds` (`size()` for none).
    std::size_t firstAfter(double utcSeconds) const;
    // The rank of the first point with the same time as the point at `rank`.
    std::size_t firstOfTime(std::size_t rank) const;

    const GeoTrack& track() const { return track_; }

private:
    const GeoTrack& track_;
    std::vector<std::uint32_t> order_; // empty: the points' own order is time order
};

} // namespace pelmark
