#include "records/WayPoints.h"

#include <stdexcept>
#include <string>

namespace pelmark {

const WayPoint& WayPoints::slot(int index) const {
    if (index < 0 || index > kCapacity) throw std::out_of_range("no waypoint slot " + std::to_string(index));
    static const WayPoint empty;
    return static_cast<std::size_t>(index) < slots_.size() ? slots_[static_cast<std::size_t>(index)] : empty;
}

WayPoint& WayPoints::slot(int index) {
    static_cast<const WayPoints&>(*this).slot(index); // the same refusal outside the table
    if (static_cast<std::size_t>(index) >= slots_.size()) slots_.resize(static_cast<std::size_t>(index) + 1);
    return slots_[static_cast<std::size_t>(index)];
}

void copyTrackFields(const TrackPoint& point, WayPoint& slot) {
    static_cast<TrackPoint&>(slot) = point;
}

void clearTrackFields(WayPoint& slot) {
    copyTrackFields(TrackPoint{}, slot);
}

int firstMatched(const WayPoints& slots, double photoCount) {
    for (int i = 1; WayPoints::holds(i); ++i) {
        if (slots.matched(i)) return i;
        if (!(i < photoCount)) break;
    }
    return 0;
}

} // namespace pelmark
