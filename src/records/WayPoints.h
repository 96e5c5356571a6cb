#pragma once

#include "records/TrackPoint.h"

#include <deque>

namespace pelmark {

// One slot of the waypoint list: the track point a photo matched, and the photo.
struct WayPoint : TrackPoint {
    std::string photoName;
    std::string photoPath;
};

// The waypoint list: slots 0 to 1000, slot i for photo number i, slot 0 never used. A slot whose
// `position1` is empty belongs to a photo without a match.
class WayPoints {
public:
    static constexpr int kCapacity = 1000;

    static bool holds(long long index) { return index >= 1 && index <= kCapacity; }
    // Throw std::out_of_range outside 0..kCapacity.
    const WayPoint& slot(int index) const;
    WayPoint& slot(int index);
    bool matched(int index) const { return holds(index) && !slot(index).position1.empty(); }

private:
    // Grows to the highest slot written (a deque, so earlier slots stay where they are), as the track
    // does: a control that never runs a match holds no 1,001 empty slots. Slots above it read as empty.
    std::deque<WayPoint> slots_;
};

// The first of photos 1..`photoCount` that matched (photo 1 is always looked at), or 0: the photo
// whose record heads the waypoint file (`ReferencePhoto`).
int firstMatched(const WayPoints& slots, double photoCount);

// Copies the fields a match takes over from a track point, leaving the photo's own name and path.
void copyTrackFields(const TrackPoint& point, WayPoint& slot);

// Empties those fields: the photo has no match.
void clearTrackFields(WayPoint& slot);

} // namespace pelmark
