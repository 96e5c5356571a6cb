#include "geotag/WayPoints.h"

#include <stdexcept>
#include <string>

namespace pelmark {

const TrackPoint& WayPoints::slot(int index) const {
    if (index < 0 || index > kCapacity) throw std::out_of_range("no waypoint slot " + std::to_string(index));
    static const TrackPoint empty;
    return static_cast<std::size_t>(index) < slots_.size() ? slots_[static_cast<std::size_t>(index)] : empty;
}

TrackPoint& WayPoints::slot(int index) {
    static_cast<const WayPoints&>(*this).slot(index); // the same refusal outside the table
    if (static_cast<std::size_t>(index) >= slots_.size()) slots_.resize(static_cast<std::size_t>(index) + 1);
    return slots_[static_cast<std::size_t>(index)];
}

void copyTrackFields(const TrackPoint& point, TrackPoint& slot) {
    slot.position2 = point.position2;
    slot.position1 = point.position1;
    slot.altitude = point.altitude;
    slot.time = point.time;
    slot.timeRaw = point.timeRaw;
    slot.byteValue = point.byteValue;
    slot.textLength = point.textLength;
    slot.text = point.text;
}

void clearTrackFields(TrackPoint& slot) {
    copyTrackFields(TrackPoint{}, slot);
}

} // namespace pelmark
