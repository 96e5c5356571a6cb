#pragma once

#include "records/Track.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace pelmark {

// A point must lie less than this many seconds from the corrected photo time to match it.
inline constexpr double kMatchLimitSeconds = 120;

// The loaded track, ordered for the matching run. A photo and a point only compare within one calendar
// month, and there the difference is the distance of two in-month second counts; so the points are
// grouped by (year, month) and sorted by those seconds once per run, and each photo searches its
// group instead of comparing every point. The answer is the one the pairwise comparison gives: the
// smallest difference below the limit, and among equal differences the lowest point number.
class TrackIndex {
public:
    // Points 1..`count` of `track`; a point without a time counts as time 0, as an empty value does
    // when a host compares it. Throws PelmarkError when `count` passes the track's last slot.
    TrackIndex(const Track& track, long long count);
    // Point p at `times[p - 1]`, however many there are.
    explicit TrackIndex(const std::vector<std::uint32_t>& times);

    struct Match {
        int point = 0; // 0: no point lies below the limit
        double seconds = kMatchLimitSeconds;
        double pointSeconds = 0; // the point's in-month seconds, to tell before from after
    };

    // The nearest point to the photo taken at `exifTime` (camera clock), corrected by the offset,
    // that lies less than `limit` seconds away.
    Match nearest(std::string_view exifTime, double shiftSeconds, bool cameraAhead,
                  double limit = kMatchLimitSeconds) const;

    // The points of one calendar month as in-month seconds, ascending and distinct.
    struct MonthPoints {
        double year = 0;
        double month = 0;
        std::span<const double> seconds;
    };
    std::vector<MonthPoints> months() const;

private:
    // Points of one month with the same in-month seconds are one entry: only the lowest number can win.
    // Each month is a range of the two lists below.
    struct Month {
        double year = 0;
        double month = 0;
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    std::vector<Month> months_;
    std::vector<double> seconds_; // ascending and distinct within a month
    std::vector<int> firstPoint_; // the lowest point number at each of those seconds
};

} // namespace pelmark
