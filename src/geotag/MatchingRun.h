#pragma once

#include "base/Variant.h"
#include "exif/TagQuery.h"
#include "geotag/ClockOffset.h"
#include "records/WayPoints.h"
#include "photos/PhotoLoader.h"
#include "surface/Context.h"
#include "track/TrackReader.h"

#include <array>

namespace pelmark {

// The matching run: every photo of the track file's folder gets the nearest track point below the
// limit in its waypoint slot, and the photo on display follows the run.
class MatchingRun {
public:
    MatchingRun(Context& context, PhotoLoader& photos, TrackReader& tracks, ClockOffset& offset,
                TagQuery& tags)
        : context_(context), photos_(photos), tracks_(tracks), offset_(offset), tags_(tags) {}

    // How a run treats what the slots already hold.
    enum class Slots {
        Replace,    // each handled photo starts without a match
        KeepNearer, // a photo keeps its earlier match unless this track has a nearer point
    };

    // `CombineTrackPhotos`: loads the photos of `PathTxt`'s folder and handles photos `start` + 1 up
    // to the photo count (`start` missing: 0). A start not below the count handles no photo. Ends
    // after the photo whose yield finds the stop request set.
    void combineTrackPhotos(const Variant& start, Slots slots = Slots::Replace);

    // `ReferencePhoto`: the number of the first matched photo (photo 1 is always tested), or 0.
    int referencePhoto() const;

    // `PhotoCount` as a number.
    double photoCount() const;

    const WayPoints& wayPoints() const { return wayPoints_; }
    WayPoints& wayPoints() { return wayPoints_; }

private:
    void enableNavigation();

    Context& context_;
    PhotoLoader& photos_;
    TrackReader& tracks_;
    ClockOffset& offset_;
    TagQuery& tags_;
    WayPoints wayPoints_;
    // The difference each slot's match was found at, so a later track of one search can tell
    // whether it has a nearer point.
    std::array<double, WayPoints::kCapacity + 1> matchSeconds_{};
};

} // namespace pelmark
