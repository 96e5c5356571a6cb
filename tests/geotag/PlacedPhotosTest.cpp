#include "geotag/PlacedPhotos.h"

#include "fixtures/TrackFileWriter.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

using fixtures::littleEndian;

// A photo takes its point's words as signed semicircles (latitude first), its altitude in metres and
// its time from the track's epoch; points that cannot be a place on the earth place nothing.
TEST(PlacedPhotos, TakeTheMatchedPointsPlaceHeightAndTime) {
    struct Case {
        const char* name;
        std::string position1, position2, altitude; // raw words as the track file holds them
        std::optional<std::uint32_t> time;
        bool placed;
        double latitude, longitude;
        std::optional<double> elevation;
        std::optional<std::int64_t> utcSeconds;
    };
    const Case cases[] = {
        {"south-west, the date line", littleEndian(0xF0000000, 4), littleEndian(0x80000000, 4),
         littleEndian(0xFFFF, 2), 429782400, true, -22.5, -180, 65535, 1060848000},
        {"a pole", littleEndian(0x40000000, 4), littleEndian(1, 4), "", std::nullopt, true, 90,
         180.0 / 2147483648.0, std::nullopt, std::nullopt},
        {"past the pole", littleEndian(0x40000001, 4), littleEndian(0, 4), "", 0, false, 0, 0, {}, {}},
        {"a word cut short", littleEndian(0, 3), littleEndian(0, 4), "", 0, false, 0, 0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Track track;
        TrackPoint& point = track.slot(1);
        point.position1 = c.position1, point.position2 = c.position2, point.altitude = c.altitude;
        point.time = c.time;
        const std::vector<PhotoVerdict> verdicts = {{PhotoVerdict::Kind::BeyondLimit, 1, 300, true},
                                                    {PhotoVerdict::Kind::Matched, 1, 0, false}};
        const auto placed = placedPhotos(verdicts, track, {"a.jpg", "b.jpg"}, "/p/");
        ASSERT_EQ(placed.size(), c.placed ? 1u : 0u);
        if (!c.placed) continue;
        EXPECT_EQ(placed[0].path, "/p/b.jpg");
        EXPECT_DOUBLE_EQ(placed[0].latitude, c.latitude);
        EXPECT_DOUBLE_EQ(placed[0].longitude, c.longitude);
        EXPECT_EQ(placed[0].elevation, c.elevation);
        EXPECT_EQ(placed[0].utcSeconds, c.utcSeconds);
    }
}

} // namespace
} // namespace pelmark
