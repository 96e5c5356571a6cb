#include "geotag/Placing.h"

#include "geotag/ClockLine.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

// Two segments, the later one read first (two files): points 1 and 2 at 300 and 400 s across the date
// line; after them points 3 to 5 at 0, 30 and 60 s from (48, 11) to (48.06, 11.06), 1,000 m up.
GeoTrack twoSegments() {
    GeoTrack track;
    track.startSegment();
    track.add({50, 179.9, 1e9 + 300, std::nullopt, 0});
    track.add({50, -179.9, 1e9 + 400, std::nullopt, 0});
    track.startSegment();
    for (int k = 0; k <= 2; ++k)
        track.add({48 + 0.03 * k, 11 + 0.03 * k, 1e9 + 30 * k, 1000.0 + 100 * k, 0});
    return track;
}

// Where a photo goes, nearest and interpolated, and what it is told when it goes nowhere.
TEST(Placing, PutsAPhotoOnItsPointOrTheLineBetweenTwo) {
    using Kind = PhotoVerdict::Kind;
    struct Case {
        const char* name;
        std::optional<double> at, interpolate; // at: seconds after the track's first point
        Kind kind;
        int point;
        double latitude, longitude;
        std::optional<double> elevation;
        bool interpolated = false;
    };
    const Case cases[] = {
        {"nearest, before the first point", -100, {}, Kind::Matched, 3, 48, 11, 1000.0},
        {"nearest, as near to two: the lower number", 15, {}, Kind::Matched, 3, 48, 11, 1000.0},
        {"nearest, just past", 16, {}, Kind::Matched, 4, 48.03, 11.03, 1100.0},
        {"too far", -120, {}, Kind::BeyondLimit, 3, 0, 0, {}},
        {"no instant", {}, {}, Kind::NoCaptureTime, 0, 0, 0, {}},
        {"between two", 45, 30.0, Kind::Matched, 4, 48.045, 11.045, 1150.0, true},
        {"on a point", 30, 30.0, Kind::Matched, 4, 48.03, 11.03, 1100.0},
        {"points further apart than asked: the nearest", 40, 29.0, Kind::Matched, 4, 48.03, 11.03, 1100.0},
        {"in the gap between segments: never across", 180, 1000.0, Kind::BeyondLimit, 1, 0, 0, {}},
        {"after the gap: the nearest", 200, 1000.0, Kind::Matched, 1, 50, 179.9, {}},
        {"across the date line, no elevation", 325, 100.0, Kind::Matched, 1, 50, 179.95, {}, true},
    };
    const GeoTrack track = twoSegments();
    const InstantIndex index(track);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<double> utc = c.at ? std::optional<double>(1e9 + *c.at) : std::nullopt;
        const Placement placed = placePhoto(utc, index, {kMatchLimitSeconds, c.interpolate});
        EXPECT_EQ(placed.verdict.kind, c.kind);
        EXPECT_EQ(placed.verdict.point, c.point);
        EXPECT_EQ(placed.interpolated, c.interpolated);
        const auto record = placedPhoto({"/p/a.jpg", "a.jpg", utc}, placed);
        ASSERT_EQ(record.has_value(), c.kind == Kind::Matched);
        if (!record) continue;
        EXPECT_NEAR(record->latitude, c.latitude, 1e-9);
        EXPECT_NEAR(record->longitude, c.longitude, 1e-9);
        EXPECT_EQ(record->elevation.has_value(), c.elevation.has_value());
        if (c.elevation) {
            EXPECT_NEAR(*record->elevation, *c.elevation, 1e-9);
        }
    }
}

// Clock photos: one gives the offset to the second, two a drift as well.
TEST(ClockLine, RecoversOffsetAndDriftFromClockPhotos) {
    constexpr double kDay = 86400, kDrift = 30 / kDay; // the camera gains 30 s a day
    const double start = 1e9;
    // The camera was 95 s behind at `start`.
    const auto camera = [&](double receiver) { return receiver - 95 + kDrift * (receiver - start); };
    const ClockPhoto one[] = {{camera(start), start}};
    const ClockPhoto two[] = {{camera(start), start}, {camera(start + 4 * kDay), start + 4 * kDay}};
    const ClockLine byOne = fitClockLine(one);
    EXPECT_DOUBLE_EQ(byOne.corrected(camera(start)), start);
    EXPECT_DOUBLE_EQ(byOne.driftPerSecond, 0);
    const ClockLine byTwo = fitClockLine(two);
    for (const double day : {0.0, 1.5, 3.0, 4.0})
        EXPECT_NEAR(byTwo.corrected(camera(start + day * kDay)), start + day * kDay, 1e-3) << day;
    EXPECT_NEAR(byTwo.driftPerSecond * kDay, -30 / (1 + kDrift), 1e-6);
}

} // namespace
} // namespace pelmark
