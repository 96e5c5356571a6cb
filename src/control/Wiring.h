#pragma once

#include "surface/Context.h"

#include <functional>

namespace pelmark {

class DropIntake;
class ExifView;
class GarTripPath;
class MatchingRun;
class Navigation;
class OneStepRuns;
class PhotoLoader;
class TrackReader;
class WayPointWriter;

// What the control's handlers reach. A control has every part; a test's rig may build only some, and
// gets the handlers of those.
struct ControlParts {
    Context& context;
    ExifView* exif = nullptr;
    PhotoLoader* photos = nullptr;
    Navigation* navigation = nullptr;
    DropIntake* drop = nullptr;
    TrackReader* tracks = nullptr;
    MatchingRun* run = nullptr;
    WayPointWriter* writer = nullptr;
    OneStepRuns* oneStep = nullptr;
    GarTripPath* garTripPath = nullptr;
    std::function<void()> pressStop = {};
};

// Attaches every handler of the control whose parts are there: the one place where the surface's
// events meet the logic. The elements must exist by then.
void wireControl(ControlParts& parts);

} // namespace pelmark
