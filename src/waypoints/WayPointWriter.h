#pragma once

#include "base/Error.h"
#include "geotag/MatchingRun.h"
#include "surface/Context.h"

#include <functional>
#include <string>

namespace pelmark {

// `PrintWayPointList`: writes the matched photos as a waypoint file next to the track file and, when
// "GarTrip Starten" is pressed in, starts the outside program on it and on the track file.
//
// An existing file of that name is never lost by accident: the records go into a new hidden file in the
// same folder, which replaces the old name only once it is complete, or, after a Stop, once it holds
// the whole records written so far. A failure removes the new file and leaves the old one as it was.
class WayPointWriter {
public:
    using StartGarTrip = std::function<void(const std::string& fileName)>;

    WayPointWriter(Context& context, const MatchingRun& run, StartGarTrip startGarTrip)
        : context_(context), run_(run), startGarTrip_(std::move(startGarTrip)) {}

    // Throws PelmarkError naming the file when it cannot be written, and when the outside program
    // cannot be started (the file is complete by then).
    void printWayPointList();

    static constexpr const char* kGarTripKey = "GarTrip Starten";

private:
    bool garTripPressed() const;

    Context& context_;
    const MatchingRun& run_;
    StartGarTrip startGarTrip_;
};

// The message box that tells the window user why the file was not written or the program not started.
void showWayPointError(Context& context, const PelmarkError& error);

} // namespace pelmark
