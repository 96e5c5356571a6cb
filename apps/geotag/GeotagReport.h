#pragma once

#include "geotag/OffsetFinder.h"
#include "records/GeoTrack.h"
#include "records/PlacedPhoto.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace pelmark::geotag {

// One photo of a run, in photo order.
struct PhotoRow {
    int number = 0;
    std::string name;
    std::string captured;  // the capture time as the photo holds it
    std::string corrected; // shifted by the offset, on the calendar; empty without a capture time
    PhotoVerdict verdict;
    std::string pointTime; // the matched or nearest point's track-time text
    std::string reason;    // the verdict in words
    std::string utc;       // the photo's instant, offset applied ("2003-06-14T05:02:10Z"); empty for none
    std::string zone;      // the zone assumed for its capture time, in words
    bool interpolated = false;
    std::optional<PlacedPhoto> place; // where a matched photo goes
};

struct GeotagReport {
    std::size_t photoCount = 0;
    CameraOffset offset;      // the offset the run used
    bool offsetFound = false; // taken from the finder
    OffsetFound best;         // what the finder found
    int matched = 0;
    int withoutCaptureTime = 0;
    std::string trackFrom, trackTo;
    long long trackPointsRead = 0;
    long long trackPoints = 0; // points that take part
    // What a run of the control cannot hold: photos past the 500th of the folder, points past the
    // 10,000th of the track.
    std::size_t photosLeftOut = 0;
    bool trackPointsLeftOut = false;
    SkippedPoints skipped; // points of the tracks that take part in no match
    std::uint32_t segments = 0;
    std::string wayPointFile; // empty when the track path names none
    bool written = false;
    std::string notWritten;            // why not, when not
    std::optional<std::string> advice; // the finder's word when it does clearly better
    std::vector<std::string> outputs;  // what became of the GPX file and the sidecars asked for
};

enum class ReportFormat { Text, Json, Csv };

// Writes a run's report as the run goes: each photo's row as soon as it is known, the summary at the
// end, so that a report of any number of photos holds one row at a time. Text and JSON carry the
// summary; CSV is the photo table only, its summary goes to `summary`.
class ReportWriter {
public:
    ReportWriter(ReportFormat format, std::ostream& out, std::ostream& summary);
    void row(const PhotoRow& row);
    void finish(const GeotagReport& report);

private:
    ReportFormat format_;
    std::ostream& out_;
    std::ostream& summary_;
    bool firstRow_ = true;
};

// "3600 s ahead" / "31 s behind".
std::string offsetText(CameraOffset offset);

// "1 h", "1 h 15 min", "45 min": a move of whole quarter hours; empty for any other.
std::string quarterHoursText(double seconds);

} // namespace pelmark::geotag
