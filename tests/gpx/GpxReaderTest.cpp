#include "gpx/GpxReader.h"

#include "base/Error.h"
#include "fixtures/GpxWriter.h"
#include "fixtures/TrackFileWriter.h"
#include "geotag/Placing.h"
#include "support/TempDir.h"
#include "track/TrackFile.h"
#include "track/TrackPositions.h"

#include <cmath>
#include <gtest/gtest.h>

namespace pelmark {
namespace {

using fixtures::GpxPoint;
using fixtures::GpxWriter;

constexpr long long kJune14 = 1055566800; // 2003-06-14T05:00:00Z

GpxPoint at(long long utc, double lat = 48, double lon = 11) {
    return {lat, lon, fixtures::gpxTime(utc), std::nullopt};
}

std::string nested(int depth) {
    std::string open, close;
    for (int k = 0; k < depth; ++k)
        open += "<extensions>", close += "</extensions>";
    return open + close;
}

// What a file gives: its points and segments, and what was skipped and why, or the error that names
// the fault. Each file is read on its own and then after another, whose segments it must follow.
TEST(GpxReader, TakesTrackPointsAndSaysWhatItSkipped) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t points;
        std::uint32_t segments;
        SkippedPoints skipped;
        const char* error = nullptr; // a part of the message
    };
    const std::string laughs =
        "<!DOCTYPE gpx [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>\n";
    const std::string ws(3 << 20, ' ');
    const std::string truncated = GpxWriter().segment().points(3, kJune14).text();
    const Case cases[] = {
        {"1.1, two segments",
         GpxWriter().segment().points(3, kJune14).segment().points(2, kJune14 + 60).text(),
         5,
         2,
         {}},
        {"1.0 with a prefix",
         GpxWriter().version10().prefix("g").segment().points(4, kJune14).text(),
         4,
         1,
         {}},
        {"points skipped, each for its reason",
         GpxWriter()
             .segment()
             .point(at(kJune14))
             .point({48, 11, "", 3.0})                              // no time
             .point({48, 11, "2003-02-30T05:00:00Z", std::nullopt}) // no such day
             .point({48, 11, "2003-06-14T24:00:00Z", std::nullopt}) // no such hour
             .point(at(kJune14 - 5))                                // earlier than the point before
             .point(at(kJune14))                                    // as early
             .point({std::nullopt, 11, fixtures::gpxTime(kJune14 + 9), std::nullopt})
             .point({91, 11, fixtures::gpxTime(kJune14 + 9), std::nullopt})
             .point(at(kJune14 + 10))
             .text(),
         2,
         1,
         {1, 2, 2, 2}},
        {"a point outside a segment or the track is none",
         GpxWriter().raw("<trkpt lat=\"1\" lon=\"1\"><time>2003-06-14T05:00:00Z</time></trkpt>").text(),
         0,
         0,
         {}},
        {"megabytes of whitespace between points",
         GpxWriter().segment().points(2, kJune14).raw(ws).points(1, kJune14 + 9).text(),
         3,
         1,
         {}},
        {"entities declared",
         GpxWriter().prolog(laughs).segment().raw("&b;").text(),
         0,
         0,
         {},
         "declares no entities"},
        {"an entity nobody declared",
         GpxWriter().segment().raw("<name>&b;</name>").text(),
         0,
         0,
         {},
         "undefined entity"},
        {"nested too deep",
         GpxWriter().segment().raw(nested(GpxReader::kMaxDepth)).text(),
         0,
         0,
         {},
         "nested deeper"},
        {"a tag of megabytes",
         GpxWriter().segment().raw("<trkpt" + ws + "/>").text(),
         0,
         0,
         {},
         "longer than 1 MiB"},
        {"cut off", truncated.substr(0, truncated.size() / 2), 0, 0, {}, "line "},
        {"not GPX", "<kml><trk/></kml>", 0, 0, {}, "its root element is <kml>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GeoTrack before;
        {
            GpxReader first(before, "first");
            first.feed(GpxWriter().segment().points(2, kJune14 - 600).text());
            first.finish();
        }
        try {
            GpxReader reader(before, "file.gpx");
            // In pieces, as a file is read.
            for (std::size_t at = 0; at < c.text.size(); at += 4096)
                reader.feed(std::string_view(c.text).substr(at, 4096));
            reader.finish();
            EXPECT_EQ(c.error, nullptr);
        } catch (const PelmarkError& error) {
            ASSERT_NE(c.error, nullptr) << error.what();
            EXPECT_NE(std::string(error.what()).find(c.error), std::string::npos) << error.what();
            EXPECT_EQ(before.points.size(), 2u); // none of the faulty file's points
            continue;
        }
        EXPECT_EQ(before.points.size(), 2 + c.points);
        EXPECT_EQ(before.segments, 1 + c.segments);
        EXPECT_EQ(before.skipped.withoutTime, c.skipped.withoutTime);
        EXPECT_EQ(before.skipped.impossibleTime, c.skipped.impossibleTime);
        EXPECT_EQ(before.skipped.outOfOrder, c.skipped.outOfOrder);
        EXPECT_EQ(before.skipped.withoutPosition, c.skipped.withoutPosition);
        for (std::size_t p = 2; p < before.points.size(); ++p)
            EXPECT_GE(before.points[p].segment, 1u); // the second file's segments follow the first's
    }
}

TEST(GpxReader, ReadsPlaceTimeAndElevationOfAPoint) {
    test::TempDir dir;
    const std::string path = dir.write(
        "t.gpx",
        GpxWriter().segment().point({-33.8568, 151.2153, "2003-06-14T07:02:10.5+02:00", 12.5}).text());
    GeoTrack track;
    readGpxFile(path, track);
    ASSERT_EQ(track.points.size(), 1u);
    EXPECT_DOUBLE_EQ(track.points[0].latitude, -33.8568);
    EXPECT_DOUBLE_EQ(track.points[0].longitude, 151.2153);
    EXPECT_DOUBLE_EQ(track.points[0].utcSeconds, 1055566930.5);
    EXPECT_EQ(track.points[0].elevation, 12.5);
    EXPECT_THROW(readGpxFile(dir.file("none.gpx"), track), PelmarkError);
}

// The same walk as a track file and as a GPX file is the same track: the same photos get the same
// places, nearest and interpolated, so the outputs serve either kind alike.
TEST(GpxReader, GivesTheTrackThatATrackFileOfTheSameWalkGives) {
    test::TempDir dir;
    const double degrees[][2] = {{48.1, 11.5}, {-33.9, 151.2}, {-0.000001, -179.99}, {89.9, 0}};
    fixtures::TrackFileWriter file;
    GpxWriter gpx;
    gpx.segment();
    const auto semicircles = [](double d) {
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(d * 2147483648.0 / 180)));
    };
    for (std::size_t k = 0; k < 5; ++k) {
        const auto& place = degrees[k % 4];
        fixtures::TrackFilePoint point;
        point.position1 = semicircles(place[0]), point.position2 = semicircles(place[1]);
        point.time = static_cast<std::uint32_t>(424512000 + 60 * k),
        point.altitude = static_cast<std::uint16_t>(300 + k);
        file.point(point);
        if (k < 4) // the track file's closing point takes part in no match
            gpx.point({place[0], place[1], fixtures::gpxTime(631065600 + point.time),
                       300.0 + static_cast<double>(k)});
    }
    const std::string binaryPath = dir.write("walk.t", file.bytes());
    TrackLog log;
    FileSlot slot;
    ASSERT_TRUE(slot.openForReading(binaryPath));
    ASSERT_EQ(readTrackLog(slot, binaryPath, log), TrackReadEnd::Complete);
    GeoTrack fromFile, fromGpx;
    appendTrackLog(log, fromFile);
    readGpxFile(dir.write("walk.gpx", gpx.text()), fromGpx);

    std::vector<PhotoInstant> photos;
    for (int s = -30; s < 240; s += 7)
        photos.push_back({"/p/" + std::to_string(s), std::to_string(s), 631065600.0 + 424512000 + s});
    for (const std::optional<double> interpolate : {std::optional<double>(), std::optional<double>(60)}) {
        const auto a = placedPhotos(photos, fromFile, {kMatchLimitSeconds, interpolate});
        const auto b = placedPhotos(photos, fromGpx, {kMatchLimitSeconds, interpolate});
        ASSERT_EQ(a.size(), b.size());
        ASSERT_GT(a.size(), 20u);
        for (std::size_t k = 0; k < a.size(); ++k) {
            SCOPED_TRACE(a[k].name);
            EXPECT_EQ(a[k].name, b[k].name);
            EXPECT_NEAR(a[k].latitude, b[k].latitude, 1e-6);
            EXPECT_NEAR(a[k].longitude, b[k].longitude, 1e-6);
            EXPECT_EQ(a[k].elevation, b[k].elevation);
            EXPECT_EQ(a[k].utcSeconds, b[k].utcSeconds);
        }
    }
}

} // namespace
} // namespace pelmark
