#include "geotag/TrackIndex.h"

#include "geotag/ClockOffset.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <sys/mman.h>
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

void TrackIndex::Free::operator()(void* memory) const {
    std::free(memory);
}

// Room for `n` values, left uninitialised: every entry is written before it is read. Lists of a million
// points lie on 2 MiB pages where the system offers them: on 4 KiB pages the first write to each page
// traps into the kernel, and for the 20 MB a million unsorted points take that was nearly half the
// build.
template <class T>
TrackIndex::List<T> TrackIndex::uninitialised(std::size_t n) {
    constexpr std::size_t kLargePage = std::size_t{2} << 20;
    const std::size_t bytes = std::max<std::size_t>(n * sizeof(T), 1);
    void* memory = nullptr;
    if (bytes < kLargePage) {
        memory = std::malloc(bytes);
    } else {
        const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
        memory = std::aligned_alloc(kLargePage, rounded);
#ifdef MADV_HUGEPAGE
        if (memory) madvise(memory, rounded, MADV_HUGEPAGE);
#endif
    }
    if (!memory) throw std::bad_alloc();
    return List<T>(static_cast<T*>(memory));
}

TrackIndex::TrackIndex(const Track& track, long long count) : TrackIndex(timesOf(track, count)) {}

TrackIndex::TrackIndex(const std::vector<std::uint32_t>& times)
    : seconds_(uninitialised<double>(times.size())), firstPoint_(uninitialised<int>(times.size())) {
    const std::size_t n = times.size();
    if (n == 0) return;
    std::uint32_t low = times[0], high = times[0];
    std::size_t stepsBack = 0;
    for (std::size_t p = 1; p < n; ++p) {
        stepsBack += times[p] < times[p - 1];
        low = std::min(low, times[p]);
        high = std::max(high, times[p]);
    }
    // A track log is written as the points come, so it is nearly always in time order already.
    if (stepsBack == 0) {
        fillMonths(n, [&](std::size_t p) { return std::pair{times[p], static_cast<int>(p + 1)}; });
        return;
    }

    // Otherwise point numbers in time order, equal times in point order: a stable radix sort of
    // (time - earliest) << 32 | index, in as few digits of at most 11 bits as the span needs (two for
    // a month). 2048 places per digit stay in the cache, where 65,536 would miss it at nearly every
    // write. The first pass reads the times themselves, the last writes time and number into the two
    // lists, which `fillMonths` then packs in place.
    constexpr unsigned kMostDigitBits = 11;
    const auto bits = static_cast<unsigned>(std::bit_width(high - low));
    const unsigned passes = (bits + kMostDigitBits - 1) / kMostDigitBits;
    const unsigned digitBits = (bits + passes - 1) / passes;
    const std::size_t places = std::size_t{1} << digitBits;
    const std::uint64_t mask = places - 1;
    std::vector<std::size_t> next(passes * places, 0); // per pass: counts, then each place's next slot
    for (std::size_t p = 0; p < n; ++p)
        for (unsigned d = 0; d < passes; ++d)
            ++next[d * places + (((times[p] - low) >> (d * digitBits)) & mask)];
    for (unsigned d = 0; d < passes; ++d) {
        std::size_t sum = 0;
        for (std::size_t b = d * places; b < (d + 1) * places; ++b)
            sum += std::exchange(next[b], sum);
    }
    auto slot = [&](std::uint64_t key, unsigned d) -> std::size_t& {
        return next[d * places + ((key >> (32 + d * digitBits)) & mask)];
    };
    auto place = [&](std::uint64_t key, unsigned d, std::uint64_t* to) {
        const std::size_t at = slot(key, d)++;
        if (to) {
            to[at] = key;
        } else {
            seconds_[at] = static_cast<double>(low + static_cast<std::uint32_t>(key >> 32));
            firstPoint_[at] = static_cast<int>((key & 0xFFFFFFFF) + 1);
        }
    };
    List<std::uint64_t> keys, spare;
    if (passes > 1) keys = uninitialised<std::uint64_t>(n);
    if (passes > 2) spare = uninitialised<std::uint64_t>(n);
    for (std::size_t p = 0; p < n; ++p)
        place(std::uint64_t{times[p] - low} << 32 | p, 0, keys.get());
    for (unsigned d = 1; d < passes; ++d) {
        std::uint64_t* to = d + 1 < passes ? spare.get() : nullptr;
        for (std::size_t i = 0; i < n; ++i)
            place(keys[i], d, to);
        keys.swap(spare);
    }
    fillMonths(n, [&](std::size_t i) {
        return std::pair{static_cast<std::uint32_t>(seconds_[i]), firstPoint_[i]};
    });
}

// Points in time order, equal times in point order; `pointAt(i)` answers the i-th one's time and
// number. Entries are written at or before the one just read, so the two lists may be the source.
template <class PointAt>
void TrackIndex::fillMonths(std::size_t n, PointAt pointAt) {
    MonthSeconds day{};
    std::uint32_t dayTime = 0; // the time `day` was worked out for
    std::uint64_t nextDay = 0; // the first time of the next calendar day
    std::uint32_t previous = 0;
    std::size_t filled = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto [time, point] = pointAt(i);
        if (filled != 0 && time == previous) continue; // only the lowest number of equal times can win
        previous = time;
        // The calendar changes once a day: the shown time is an hour ahead of the point's.
        if (filled == 0 || time >= nextDay) {
            nextDay = ((std::uint64_t{time} + 3600) / 86400 + 1) * 86400 - 3600;
            dayTime = time;
            day = pointMonthSeconds(time);
            if (months_.empty() || months_.back().year != day.year || months_.back().month != day.month)
                months_.push_back({day.year, day.month, filled, filled});
        }
        // Within one day the seconds grow with the time, whole numbers all, so this is exactly the sum
        // that `pointMonthSeconds` makes.
        seconds_[filled] = day.seconds + static_cast<double>(time - dayTime);
        firstPoint_[filled] = point;
        months_.back().end = ++filled;
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

    const double* first = seconds_.get() + month->begin;
    const double* last = seconds_.get() + month->end;
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
        static_cast<std::size_t>(std::lower_bound(first, last, photo.seconds) - seconds_.get());
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
            {m.year, m.month, std::span<const double>(seconds_.get() + m.begin, m.end - m.begin)});
    return months;
}

} // namespace pelmark
