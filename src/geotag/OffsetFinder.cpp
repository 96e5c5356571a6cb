#include "geotag/OffsetFinder.h"

#include "geotag/ClockOffset.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace pelmark {

namespace {

bool hasCaptureTime(const MonthSeconds& photo) {
    return photo.year >= 1 && photo.month >= 1 && photo.month <= 12 && !std::isnan(photo.seconds);
}

// Stretches of a month where neighbouring points lie less than two limits apart: a photo near any
// time from the first of them to the last finds a point, so each stretch is one span for the sweep.
struct Covered {
    double first = 0;
    double last = 0;
};

std::vector<Covered> coveredStretches(std::span<const double> seconds) {
    std::vector<Covered> stretches;
    for (const double s : seconds) {
        if (stretches.empty() || s - stretches.back().last >= 2 * kMatchLimitSeconds)
            stretches.push_back({s, s});
        else
            stretches.back().last = s;
    }
    return stretches;
}

// A span of added offsets, open at both ends, that matches the most photos.
struct Span {
    double low = 0;
    double high = 0;
};

constexpr double kQuarterHour = 900;

// The whole number strictly inside (low, high) nearest to `target`; the middle when none fits.
double wholeNearest(double low, double high, double target) {
    const double whole = target <= low ? std::floor(low) + 1 : std::ceil(high) - 1;
    return whole > low && whole < high ? whole : low + (high - low) / 2;
}

// Of two candidates as good by their own measure, the camera running behind wins: the direction the
// control starts with.
bool closer(double distance, double added, double bestDistance, double bestAdded) {
    return distance < bestDistance || (distance == bestDistance && added > bestAdded);
}

// A clock that is off is off by a time-zone or summer-time step plus a drift of seconds, and the user
// has usually entered the drift: the entered offset moved by whole quarter hours is the likeliest
// right answer, and the smallest move the likeliest of those. Failing that, the offset nearest to the
// entered one, a whole number of seconds where one fits.
std::pair<double, Span> plausible(const std::vector<Span>& spans, double entered) {
    double bestAdded = 0, bestDistance = std::numeric_limits<double>::infinity();
    Span holding;
    for (const Span& span : spans) {
        for (double steps = std::floor((span.low - entered) / kQuarterHour);
             entered + steps * kQuarterHour < span.high; ++steps) {
            const double added = entered + steps * kQuarterHour;
            if (added <= span.low) continue;
            if (closer(std::fabs(steps), added, bestDistance, bestAdded)) {
                bestDistance = std::fabs(steps);
                bestAdded = added;
                holding = span;
            }
        }
    }
    if (bestDistance != std::numeric_limits<double>::infinity()) return {bestAdded, holding};
    for (const Span& span : spans) {
        const double added = wholeNearest(span.low, span.high, entered);
        if (closer(std::fabs(added - entered), added, bestDistance, bestAdded)) {
            bestDistance = std::fabs(added - entered);
            bestAdded = added;
            holding = span;
        }
    }
    return {bestAdded, holding};
}

} // namespace

OffsetFound findOffset(const std::vector<std::string>& exifTimes, const TrackIndex& track,
                       CameraOffset entered) {
    const std::vector<TrackIndex::MonthPoints> months = track.months();
    std::vector<std::vector<Covered>> stretches;
    for (const auto& month : months)
        stretches.push_back(coveredStretches(month.seconds));

    // A photo at in-month seconds T matches a stretch [a, b] for the added offsets x with
    // a - limit < T + x < b + limit: an open span that opens and closes the photo's count. Opening and
    // closing positions are sorted apart: plain numbers sort much faster than tagged pairs.
    std::vector<std::pair<std::size_t, double>> dated; // (month, seconds) of each photo with a date
    std::size_t spans = 0;
    for (const std::string& exifTime : exifTimes) {
        const MonthSeconds photo = photoMonthSeconds(exifTime, 0, false);
        if (!hasCaptureTime(photo)) continue;
        for (std::size_t m = 0; m < months.size(); ++m) {
            if (months[m].year != photo.year || months[m].month != photo.month) continue;
            dated.emplace_back(m, photo.seconds);
            spans += stretches[m].size();
        }
    }
    std::vector<double> opens, closes;
    opens.reserve(spans);
    closes.reserve(spans);
    for (const auto& [m, seconds] : dated) {
        for (const Covered& c : stretches[m]) {
            opens.push_back(c.first - seconds - kMatchLimitSeconds);
            closes.push_back(c.last - seconds + kMatchLimitSeconds);
        }
    }
    std::sort(opens.begin(), opens.end());
    std::sort(closes.begin(), closes.end());

    // The spans are open, so a count holds between two positions, never only at one.
    OffsetFound best;
    std::vector<Span> bestSpans; // the spans of the highest count so far
    int count = 0;
    constexpr double kNone = std::numeric_limits<double>::infinity();
    std::size_t o = 0, c = 0;
    while (o < opens.size() || c < closes.size()) {
        const double at =
            std::min(o < opens.size() ? opens[o] : kNone, c < closes.size() ? closes[c] : kNone);
        for (; o < opens.size() && opens[o] == at; ++o)
            ++count;
        for (; c < closes.size() && closes[c] == at; ++c)
            --count;
        if (count == 0 || count < best.matched) continue;
        if (count > best.matched) bestSpans.clear();
        best.matched = count;
        bestSpans.push_back(
            {at, std::min(o < opens.size() ? opens[o] : kNone, c < closes.size() ? closes[c] : kNone)});
    }
    if (bestSpans.empty()) return best;
    const auto [added, span] = plausible(bestSpans, entered.added());
    best.offset = CameraOffset::fromAdded(added);
    best.lowestAdded = span.low;
    best.highestAdded = span.high;
    return best;
}

std::string secondsText(double seconds) {
    char text[48];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    std::string shown = text;
    // Whole seconds show whole, fractions without trailing zeros: "120", "119.5", "5.25".
    shown.erase(shown.find_last_not_of('0') + 1);
    if (shown.back() == '.') shown.pop_back();
    return shown;
}

PhotoVerdict explainPhoto(std::string_view exifTime, const TrackIndex& track, CameraOffset offset) {
    PhotoVerdict verdict;
    const MonthSeconds photo = photoMonthSeconds(exifTime, offset.seconds, offset.cameraAhead);
    if (!hasCaptureTime(photo)) return verdict;
    const TrackIndex::Match nearest =
        track.nearest(exifTime, offset.seconds, offset.cameraAhead, std::numeric_limits<double>::infinity());
    if (nearest.point == 0) {
        verdict.kind = PhotoVerdict::Kind::NoPointThatMonth;
        return verdict;
    }
    verdict.kind =
        nearest.seconds < kMatchLimitSeconds ? PhotoVerdict::Kind::Matched : PhotoVerdict::Kind::BeyondLimit;
    verdict.point = nearest.point;
    verdict.seconds = nearest.seconds;
    verdict.pointBefore = nearest.pointSeconds < photo.seconds;
    return verdict;
}

std::string verdictText(const PhotoVerdict& verdict, std::string_view exifTime) {
    const std::string side = verdict.pointBefore ? " before" : " after";
    switch (verdict.kind) {
    case PhotoVerdict::Kind::Matched:
        return "point " + std::to_string(verdict.point) + ", " + secondsText(verdict.seconds) + " s" +
               (verdict.seconds == 0 ? "" : side);
    case PhotoVerdict::Kind::NoCaptureTime:
        return "no capture time in the photo";
    case PhotoVerdict::Kind::NoPointThatMonth: {
        const MonthSeconds photo = photoMonthSeconds(exifTime, 0, false);
        char month[32];
        std::snprintf(month, sizeof month, "%04.0f-%02.0f", photo.year, photo.month);
        return std::string("no track point in ") + month;
    }
    case PhotoVerdict::Kind::BeyondLimit:
        return "the nearest point of the month (" + std::to_string(verdict.point) + ") lies " +
               secondsText(verdict.seconds) + " s" + side + ", beyond the " +
               secondsText(kMatchLimitSeconds) + " s limit";
    }
    return {};
}

} // namespace pelmark
