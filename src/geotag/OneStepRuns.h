#pragma once

#include "base/Variant.h"
#include "geotag/MatchingRun.h"
#include "surface/Context.h"
#include "track/DialogMode.h"
#include "track/TrackReader.h"

#include <functional>
#include <string>
#include <vector>

namespace pelmark {

// The runs that chain the steps in one go: read a track, load the photos of its folder, match, write
// the waypoint file. The writer is handed in, as it lives a layer above the matching.
class OneStepRuns {
public:
    using WriteWayPoints = std::function<void()>;

    OneStepRuns(Context& context, TrackReader& tracks, PhotoLoader& photos, MatchingRun& run,
                WriteWayPoints write)
        : context_(context), tracks_(tracks), photos_(photos), run_(run), write_(std::move(write)) {}

    // `RunAll` behind "RUN": ends quietly when the track is not loaded (a cancelled dialog included) and
    // at a Stop between two steps, so a stopped run writes nothing.
    void runAll(SCommonDialog dialog);

    // `SearchAllTrackFiles`: every track file ("*.t", "*.tb") in the folder of the photo on display,
    // in name order, read and matched against that folder's photos; then one waypoint file. A photo
    // keeps the match of an earlier track unless a later one has a nearer point, so the file holds
    // every photo any track matched. "NotFound" when no photo is on display, "Found" otherwise.
    Variant searchAllTrackFiles();

private:
    Context& context_;
    TrackReader& tracks_;
    PhotoLoader& photos_;
    MatchingRun& run_;
    WriteWayPoints write_;
};

// The names in `folder` that the search takes for track files, in name order: their last two
// characters, in any letter case, are ".t" or "tb". Hidden entries are left out.
std::vector<std::string> trackFileNames(const std::string& folder);

} // namespace pelmark
