#pragma once

#include "geotag/TrackIndex.h"
#include "records/CameraOffset.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelmark {

struct OffsetFound {
    CameraOffset offset;
    int matched = 0; // photos that match with it
    // Every offset strictly between these two, as seconds added to the photo's time, matches as many.
    double lowestAdded = 0;
    double highestAdded = 0;
};

// The offset that lets the most photos match a point under the matching run's own rule. Of those, the
// entered offset moved by whole quarter hours (the fewest), else the one nearest to the entered offset;
// of two as near the camera running behind wins, the direction the control starts with. Exact: each
// photo matches on the open spans around the track's covered time, shifted by its own time, and those
// spans are swept once. Away from the entered offset it is a whole number of seconds wherever one does
// as well, else the middle of the span (a half second). Nothing matching anything gives no offset and
// 0 photos.
OffsetFound findOffset(const std::vector<std::string>& exifTimes, const TrackIndex& track,
                       CameraOffset entered);

// Whether the finder's offset is worth a word to the user: it matches at least one photo more than
// the offset given, and a tenth of the `dated` photos (those with a capture time) more.
inline bool matchesClearlyMore(int bestMatched, int givenMatched, int dated) {
    return bestMatched - givenMatched >= std::max(1, dated / 10);
}

// Why a photo has the point it has, or none.
struct PhotoVerdict {
    enum class Kind {
        Matched,          // `point` lies `seconds` from the corrected time
        NoCaptureTime,    // the photo carries no date to compare
        NoPointThatMonth, // the track holds no point of the photo's month
        BeyondLimit,      // the nearest point of the month, `point`, lies `seconds` away: too far
    };
    Kind kind = Kind::NoCaptureTime;
    int point = 0;
    double seconds = 0;
    bool pointBefore = false; // the point's time lies before the corrected photo time
};

PhotoVerdict explainPhoto(std::string_view exifTime, const TrackIndex& track, CameraOffset offset);

// Seconds as the report shows them: whole when whole, else up to three decimals.
std::string secondsText(double seconds);

// The verdict in a photographer's words: "no capture time in the photo", "no track point in 2003-08",
// "nearest point 4 lies 300 s before (limit 120 s)", or for a match "point 12, 3 s after".
std::string verdictText(const PhotoVerdict& verdict, std::string_view exifTime);

} // namespace pelmark
