#pragma once

#include "geotag/OffsetFinder.h"
#include "geotag/TrackIndex.h"
#include "records/WayPoints.h"

#include <string>
#include <vector>

namespace pelmark {

// Geotagging a set of photos against a track, as functions over records: no surface, no file slot, no
// yields. The control's runs ("2. Combine", RUN, the track-file search) work through the same index
// and verdicts photo by photo, so that the user can watch and stop them; programs without a surface
// take the whole set at once.
struct GeotagOutcome {
    std::vector<PhotoVerdict> verdicts; // one per photo, in photo order
    int matched = 0;
    int withoutCaptureTime = 0;
    OffsetFound best; // the offset that matches the most photos, found from the one given
};

// `captureTimes` in photo order, as the tag query answers them ("YYYY:MM:DD HH:MM:SS").
GeotagOutcome geotagPhotos(const std::vector<std::string>& captureTimes, const TrackIndex& track,
                           CameraOffset offset);

// The waypoint slots the matching run leaves for these verdicts: slot k for photo k, the matched
// point's track fields beside the photo's name and path (`folder` + name).
WayPoints wayPointsOf(const std::vector<PhotoVerdict>& verdicts, const Track& track,
                      const std::vector<std::string>& names, const std::string& folder);

} // namespace pelmark
