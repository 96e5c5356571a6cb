#include "track/TrackPositions.h"

#include "fixtures/TrackFileWriter.h"
#include "track/TrackTime.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

using fixtures::littleEndian;

// A point's words are signed semicircles (latitude first), its altitude metres and its time counts
// from the track's epoch; a point that cannot be a place on the earth takes part in nothing, and the
// track says why.
TEST(TrackPositions, APointBecomesAPlaceAndAnInstantOrIsCountedOut) {
    struct Case {
        const char* name;
        std::string position1, position2, altitude; // raw words as the track file holds them
        std::optional<std::uint32_t> time;
        std::optional<GeoPoint> expected;
        long long withoutTime, withoutPosition;
    };
    const Case cases[] = {
        {"south-west, the date line", littleEndian(0xF0000000, 4), littleEndian(0x80000000, 4),
         littleEndian(0xFFFF, 2), 429782400, GeoPoint{-22.5, -180, 1060848000, 65535, 0}, 0, 0},
        {"a pole, no altitude", littleEndian(0x40000000, 4), littleEndian(1, 4), "", 0,
         GeoPoint{90, 180.0 / 2147483648.0, kTrackEpochUtc, std::nullopt, 0}, 0, 0},
        {"past the pole", littleEndian(0x40000001, 4), littleEndian(0, 4), "", 0, std::nullopt, 0, 1},
        {"a word cut short", littleEndian(0, 3), littleEndian(0, 4), "", 0, std::nullopt, 0, 1},
        {"no time", littleEndian(0, 4), littleEndian(0, 4), "", std::nullopt, std::nullopt, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TrackPoint point;
        point.position1 = c.position1, point.position2 = c.position2, point.altitude = c.altitude;
        point.time = c.time;
        GeoTrack track;
        track.startSegment();
        addTrackPoint(point, track);
        EXPECT_EQ(track.skipped.withoutTime, c.withoutTime);
        EXPECT_EQ(track.skipped.withoutPosition, c.withoutPosition);
        ASSERT_EQ(track.points.size(), c.expected ? 1u : 0u);
        if (!c.expected) continue;
        EXPECT_DOUBLE_EQ(track.points[0].latitude, c.expected->latitude);
        EXPECT_DOUBLE_EQ(track.points[0].longitude, c.expected->longitude);
        EXPECT_EQ(track.points[0].elevation, c.expected->elevation);
        EXPECT_EQ(track.points[0].utcSeconds, c.expected->utcSeconds);
    }
}

// Expected texts come from an independent calendar (1989-12-31 plus the seconds plus one hour).
TEST(TrackTimeText, ShowsTheGpsTimePlusOneHour) {
    struct Case {
        const char* name;
        std::uint32_t seconds;
        const char* text;
    };
    const Case cases[] = {
        {"the first second of the GPS clock", 0, "31.12.1989 01:00:00"},
        {"one day later", 86400, "01.01.1990 01:00:00"},
        {"the last second before midnight", 82799, "31.12.1989 23:59:59"},
        {"the added hour crosses into the new year", 82800, "01.01.1990 00:00:00"},
        {"a leap day", 320713200, "29.02.2000 00:00:00"},
        {"a photo day in June", 424512031, "14.06.2003 09:00:31"},
        {"the largest time a track can hold", 4294967295u, "06.02.2126 07:28:15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(trackTimeText(c.seconds), c.text);
    }
}

} // namespace
} // namespace pelmark
