#include "geotag/TrackIndex.h"

#include "geotag/ClockOffset.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace pelmark {

namespace {

struct Entry {
    double year;
    double month;
    double seconds;
    int point;
};

} // namespace

namespace {

std::vector<std::uint32_t> timesOf(const Track& track, long long count) {
    std::vector<std::uint32_t> times;
    if (count < 1) return times;
    track.slot(count); // a count beyond the table fails here, before any work
    times.reserve(static_cast<std::size_t>(count));
    for (long long p = 1; p <= count; ++p)
        times.push_back(track.slot(p).time.value_or(0));
    return times;
}

} // namespace

TrackIndex::TrackIndex(const Track& track, long long count) : TrackIndex(timesOf(track, count)) {}

TrackIndex::TrackIndex(const std::vector<std::uint32_t>& times) {
    std::vector<Entry> entries;
    entries.reserve(times.size());
    for (std::size_t p = 0; p < times.size(); ++p) {
        const MonthSeconds at = pointMonthSeconds(times[p]);
        entries.push_back({at.year, at.month, at.seconds, static_cast<int>(p + 1)});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.year, a.month, a.seconds, a.point) < std::tie(b.year, b.month, b.seconds, b.point);
    });
    for (const Entry& e : entries) {
        if (months_.empty() || months_.back().year != e.year || months_.back().month != e.month)
            months_.push_back({e.year, e.month, {}, {}});
        Month& month = months_.back();
        // Sorted by point within equal seconds, so the first of a run is its lowest number.
        if (!month.seconds.empty() && month.seconds.back() == e.seconds) continue;
        month.seconds.push_back(e.seconds);
        month.firstPoint.push_back(e.point);
    }
}

TrackIndex::Match TrackIndex::nearest(std::string_view exifTime, double shiftSeconds, bool cameraAhead,
                                      double limit) const {
    Match best{0, limit};
    const MonthSeconds photo = photoMonthSeconds(exifTime, shiftSeconds, cameraAhead);
    // A NaN time compares with nothing, as in the pairwise run where every difference is NaN.
    if (std::isnan(photo.seconds)) return best;
    auto month = std::find_if(months_.begin(), months_.end(),
                              [&](const Month& m) { return m.year == photo.year && m.month == photo.month; });
    if (month == months_.end()) return best;

    const std::vector<double>& seconds = month->seconds;
    // Takes entry j when it is nearer, or as near but from an earlier point. Answers whether a walk
    // away from the photo should go on: the differences only grow from here, but rounding may leave
    // a neighbour exactly as near.
    auto consider = [&](std::size_t j) {
        const double d = std::fabs(photo.seconds - seconds[j]);
        const int point = month->firstPoint[j];
        if (d < best.seconds || (d == best.seconds && best.point != 0 && point < best.point)) {
            best.seconds = d;
            best.point = point;
        }
        return d < best.seconds || (d == best.seconds && best.point != 0);
    };
    const auto split = std::lower_bound(seconds.begin(), seconds.end(), photo.seconds) - seconds.begin();
    for (std::size_t j = static_cast<std::size_t>(split); j < seconds.size() && consider(j); ++j) {
    }
    for (std::size_t j = static_cast<std::size_t>(split); j-- > 0 && consider(j);) {
    }
    return best;
}

} // namespace pelmark
