#pragma once

#include "records/TrackPoint.h"

#include <vector>

namespace pelmark {

// The track-point list: slots 0 to 10000, slot 0 never filled. A load fills slots from 1 in file order
// and leaves the slots above its last point as an earlier load left them; every use is bounded by
// `Anzahl`, never by the table.
class Track {
public:
    static constexpr int kCapacity = 10000;

    static bool holds(long long index) { return index >= 0 && index <= kCapacity; }

    // Throws PelmarkError (InvalidArgument) outside 0..kCapacity: `Anzahl` is writable by the host, so
    // a loop bounded by it may ask for a slot that does not exist.
    const TrackPoint& slot(long long index) const;
    TrackPoint& slot(long long index);

private:
    // Grows to the highest slot written: a control that never reads a track does not hold 10,001 empty
    // points, and slots above it read as empty. Room for the whole table is reserved at the first
    // write (memory the system hands out only where it is used), so slots never move.
    std::vector<TrackPoint> slots_;
};

} // namespace pelmark
