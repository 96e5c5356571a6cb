#include "geotag/Engine.h"

namespace pelmark {

GeotagOutcome geotagPhotos(const std::vector<std::string>& captureTimes, const TrackIndex& track,
                           CameraOffset offset) {
    GeotagOutcome outcome;
    outcome.verdicts.reserve(captureTimes.size());
    for (const std::string& taken : captureTimes) {
        outcome.verdicts.push_back(explainPhoto(taken, track, offset));
        const PhotoVerdict::Kind kind = outcome.verdicts.back().kind;
        if (kind == PhotoVerdict::Kind::Matched) ++outcome.matched;
        if (kind == PhotoVerdict::Kind::NoCaptureTime) ++outcome.withoutCaptureTime;
    }
    outcome.best = findOffset(captureTimes, track, offset);
    return outcome;
}

WayPoints wayPointsOf(const std::vector<PhotoVerdict>& verdicts, const Track& track,
                      const std::vector<std::string>& names, const std::string& folder) {
    WayPoints slots;
    for (std::size_t k = 0; k < verdicts.size() && WayPoints::holds(static_cast<long long>(k + 1)); ++k) {
        WayPoint& slot = slots.slot(static_cast<int>(k + 1));
        slot.photoName = names[k];
        slot.photoPath = folder + names[k];
        if (verdicts[k].kind == PhotoVerdict::Kind::Matched)
            copyTrackFields(track.slot(verdicts[k].point), slot);
    }
    return slots;
}

} // namespace pelmark
