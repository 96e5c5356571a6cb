#include "geotag/TrackIndex.h"

#include "geotag/ClockOffset.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pelmark {

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
    // Point numbers in time order, equal times in point order, so the first of equal times carries the
    // lowest number.
    std::vector<std::pair<std::uint32_t, int>> order;
    order.reserve(times.size());
    for (std::size_t p = 0; p < times.size(); ++p)
        order.emplace_back(times[p], static_cast<int>(p + 1));
    // A receiver logs in time order: such a track has nothing to sort.
    if (!std::is_sorted(order.begin(), order.end())) std::sort(order.begin(), order.end());

    seconds_.reserve(order.size());
    firstPoint_.reserve(order.size());
    MonthSeconds day{};
    std::uint32_t dayTime = 0; // the time `day` was worked out for
    std::uint64_t nextDay = 0; // the first time of the next calendar day
    for (std::size_t i = 0; i < order.size(); ++i) {
        const auto [time, point] = order[i];
        if (i != 0 && time == order[i - 1].first) continue; // only the lowest number of equal times can win
        // The calendar changes once a day: the shown time is an hour ahead of the point's.
        if (i == 0 || time >= nextDay) {
            nextDay = ((std::uint64_t{time} + 3600) / 86400 + 1) * 86400 - 3600;
            dayTime = time;
            day = pointMonthSeconds(time);
            if (months_.empty() || months_.back().year != day.year || months_.back().month != day.month)
                months_.push_back({day.year, day.month, seconds_.size(), seconds_.size()});
        }
        // Within one day the seconds grow with the time, whole numbers all, so this is exactly the sum
        // that `pointMonthSeconds` makes.
        seconds_.push_back(day.seconds + static_cast<double>(time - dayTime));
        firstPoint_.push_back(point);
        months_.back().end = seconds_.size();
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

    const double* first = seconds_.data() + month->begin;
    const double* last = seconds_.data() + month->end;
    // Takes entry j when it is nearer, or as near but from an earlier point. Answers whether a walk
    // away from the photo should go on: the differences only grow from here, but rounding may leave
    // a neighbour exactly as near.
    auto consider = [&](std::size_t j) {
        const double d = std::fabs(photo.seconds - seconds_[j]);
        const int point = firstPoint_[j];
        if (d < best.seconds || (d == best.seconds && best.point != 0 && point < best.point)) {
            best.seconds = d;
            best.point = point;
            best.pointSeconds = seconds_[j];
        }
        return d < best.seconds || (d == best.seconds && best.point != 0);
    };
    const auto split =
        static_cast<std::size_t>(std::lower_bound(first, last, photo.seconds) - seconds_.data());
    for (std::size_t j = split; j < month->end && consider(j); ++j) {
    }
    for (std::size_t j = split; j-- > month->begin && consider(j);) {
    }
    return best;
}

std::vector<TrackIndex::MonthPoints> TrackIndex::months() const {
    std::vector<MonthPoints> months;
    for (const Month& m : months_)
        months.push_back(
            {m.year, m.month, std::span<const double>(seconds_.data() + m.begin, m.end - m.begin)});
    return months;
}

} // namespace pelmark
