#include "records/Track.h"

#include "base/Error.h"

#include <string>

namespace pelmark {

const TrackPoint& Track::slot(long long index) const {
    if (!holds(index))
        throw PelmarkError(ErrorKind::InvalidArgument, "no track slot " + std::to_string(index));
    static const TrackPoint empty;
    return static_cast<std::size_t>(index) < slots_.size() ? slots_[static_cast<std::size_t>(index)] : empty;
}

TrackPoint& Track::slot(long long index) {
    static_cast<const Track&>(*this).slot(index); // the same refusal outside the table
    if (static_cast<std::size_t>(index) >= slots_.size()) {
        slots_.reserve(kCapacity + 1);
        slots_.resize(static_cast<std::size_t>(index) + 1);
    }
    return slots_[static_cast<std::size_t>(index)];
}

} // namespace pelmark
