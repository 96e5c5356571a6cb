#pragma once

#include "geotag/OffsetFinder.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pelmark {
class VeltoraControl;
} // namespace pelmark

namespace pelmark::host {

// The waypoint file as it stood when a job began, so that its end can tell whether the job wrote it.
struct WayPointFileMark {
    std::string path; // beside the track; empty when the track path names none
    std::optional<std::filesystem::file_time_type> before;
    std::filesystem::file_time_type began;

    static WayPointFileMark of(VeltoraControl& control);
    // Whether the job wrote the file at `target`, the one beside the track it ended with.
    bool written(const std::string& target) const;
};

// One photo of the last run, with the engine's verdict at the offset entered now.
struct PhotoResult {
    int number = 0;
    std::string name;
    std::string captured;  // as the photo holds it; empty without one
    std::string corrected; // moved by the offset, in the same form
    PhotoVerdict verdict;
    std::string pointTime; // the matched or nearest point's time, as the matching compares it
};

// What a job of the control ("2. Combine", "3. Compile", RUN, the track-file search) leaves for the
// user to read: taken from the control's public members and elements and worked out again by the
// engine, which matches exactly as the control's run does.
struct RunSummary {
    std::vector<PhotoResult> photos;
    int matched = 0;
    int withoutCaptureTime = 0;
    long long pointsRead = 0;
    long long pointsTakingPart = 0;
    // The spans in the photos' form, the track's as the matching compares it (GPS time plus two
    // hours), the photos' corrected: side by side they show where the two overlap.
    std::string trackFrom, trackTo;
    std::string photosFrom, photosTo;
    CameraOffset offset; // as entered
    OffsetFound best;    // the finder's, from the entered offset
    std::string wayPointFile;
    bool written = false;
    std::string notWritten; // why not, when not

    // The finder's offset is worth offering when it matches clearly more: at least one photo, and a
    // tenth of the photos with a capture time (the rule of `pelmark geotag`).
    bool offersBest() const;
};

enum class JobKind { Combine, Compile, Run, Search };

RunSummary summarizeRun(VeltoraControl& control, JobKind job, const WayPointFileMark& mark);

// The points of the loaded track that take part in the matching (`Anzahl`).
long long pointsTakingPart(VeltoraControl& control);

// The offset entered in the control: `KameraShift` read as the matching reads it, `KameraVor`.
CameraOffset enteredOffset(VeltoraControl& control);

// Enters `offset` as a user would: its seconds into `KameraShift`, its direction by a click.
void enterOffset(VeltoraControl& control, CameraOffset offset);

// A capture time ("YYYY:MM:DD HH:MM:SS") moved by `added` seconds on the calendar; empty for none.
std::string movedTime(const std::string& captured, double added);

} // namespace pelmark::host
