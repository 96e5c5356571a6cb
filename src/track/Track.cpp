#include "track/Track.h"

#include "base/Error.h"

#include <string>

namespace pelmark {

const TrackPoint& Track::slot(long long index) const {
    if (!holds(index))
        throw PelmarkError(ErrorKind::InvalidArgument, "no track slot " + std::to_string(index));
    return slots_[static_cast<std::size_t>(index)];
}

TrackPoint& Track::slot(long long index) {
    return const_cast<TrackPoint&>(static_cast<const Track&>(*this).slot(index));
}

} // namespace pelmark
