#pragma once

#include "base/Variant.h"
#include "surface/Context.h"

#include <cstdint>
#include <string_view>

namespace pelmark {

// What the matching run answers when a photo and a point lie in different calendar months (or years):
// far beyond any limit, so the pair never matches.
inline constexpr double kDifferentMonth = 100000000;

// Seconds between a photo's EXIF time ("YYYY:MM:DD HH:MM:SS") and a track point's time, after the
// camera's clock has been corrected by `shiftSeconds` (subtracted when the camera runs ahead, added
// when it runs behind). The track side is taken one hour later than its shown track time, and only the
// day of the month enters the sums, unnormalised; year and month must agree or the answer is
// `kDifferentMonth`. The matching run has always compared this way, so the offsets users enter are
// tuned to it.
double clockDifference(std::string_view exifTime, std::uint32_t trackTime, double shiftSeconds,
                       bool cameraAhead);

// One side of that comparison: the calendar year and month, and the unnormalised seconds within the
// month that the difference is taken of. Both sides of `clockDifference` are worked out by these two,
// so an index built from them compares exactly as the pairwise run does.
struct MonthSeconds {
    double year = 0;
    double month = 0;
    double seconds = 0;
};
MonthSeconds photoMonthSeconds(std::string_view exifTime, double shiftSeconds, bool cameraAhead);
MonthSeconds pointMonthSeconds(std::uint32_t trackTime);

// `DiffExifTrackTime`: reads the offset from `KameraShift` and its direction from `KameraVor` at
// every call, as the user may change them between two runs.
class ClockOffset {
public:
    explicit ClockOffset(Context& context) : context_(context) {}

    // The offset as the user typed it: its leading number, a point as the separator, 0 for no number.
    double shiftSeconds() const;
    bool cameraAhead() const;

    // Throws PelmarkError when `trackPointTime` is no number or not a time a track can hold.
    Variant DiffExifTrackTime(const Variant& exifTime, const Variant& trackPointTime) const;

private:
    Context& context_;
};

} // namespace pelmark
