#pragma once

#include "track/TrackPoint.h"

#include <vector>

namespace pelmark {

// The waypoint list: slots 0 to 1000, slot i for photo number i, slot 0 never used. A slot whose
// `position1` is empty belongs to a photo without a match.
class WayPoints {
public:
    static constexpr int kCapacity = 1000;

    WayPoints() : slots_(kCapacity + 1) {}

    static bool holds(long long index) { return index >= 1 && index <= kCapacity; }
    const TrackPoint& slot(int index) const { return slots_.at(static_cast<std::size_t>(index)); }
    TrackPoint& slot(int index) { return slots_.at(static_cast<std::size_t>(index)); }
    bool matched(int index) const { return holds(index) && !slot(index).position1.empty(); }

private:
    std::vector<TrackPoint> slots_;
};

// Copies the fields a match takes over from a track point, leaving the photo's own name and path.
void copyTrackFields(const TrackPoint& point, TrackPoint& slot);

// Empties those fields: the photo has no match.
void clearTrackFields(TrackPoint& slot);

} // namespace pelmark
