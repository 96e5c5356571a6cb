#include "gpx/GpxReader.h"

#include "base/Error.h"
#include "fixtures/GpxWriter.h"
#include "fixtures/JpegExifWriter.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace pelmark {
namespace {

using W = fixtures::GpxWriter;

// A trkpt at 48, 11 (or `lat`) at `time`, as a file holds it.
std::string point(const std::string& time, const std::string& lat = "48") {
    return "<trkpt lat=\"" + lat + "\" lon=\"11\"><time>" + time + "</time></trkpt>\n";
}

// What a file gives after another file's segment: its points and segments, and what was skipped and
// why, or the error that names the fault and keeps none of its points.
TEST(GpxReader, TakesTrackPointsAndSaysWhatItSkipped) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t points;
        std::uint32_t segments;
        SkippedPoints skipped;
        const char* error = nullptr; // a part of the message
    };
    const long long june14 = 1055566800;
    const char* june14Text = "2003-06-14T05:00:00Z";
    const std::string megabytes(3 << 20, ' ');
    const std::string whole = W().segment().points(3, june14).text();
    std::string deep, skipping;
    for (int k = 0; k < GpxReader::kMaxDepth; ++k)
        deep = "<x>" + deep + "</x>";
    // Taken, then no time, two impossible ones, three out of order, two without a place, then taken.
    for (const char* time : {"06-14T05:00:00Z", "", "02-29T05:00:00Z", "06-14T05:60:00Z", "06-14T04:59:59Z",
                             "06-14T05:00:00Z", "06-14T05:00:01+02:00"})
        skipping += point(*time ? "2003-" + std::string(time) : "");
    skipping += point("2003-06-14T05:00:01Z", "91") + point("2003-06-14T05:00:01Z", "x") +
                point("2003-06-14T05:00:01Z");
    const std::string entities = "<!DOCTYPE gpx [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;&a;\">]>";
    const std::string skipped = W().segment().raw(skipping).text(),
                      outside = W().raw(point(june14Text)).text();
    const std::string wide = W().segment().points(2, june14).raw(megabytes).text();
    const Case cases[] = {
        {"1.1, two segments", W().segment().points(3, 0).segment().points(2, 9).text(), 5, 2, {}},
        {"1.0 with a prefix", W().version10().prefix("g").segment().points(4, 0).text(), 4, 1, {}},
        {"points skipped, each for its reason", skipped, 2, 1, {1, 2, 3, 2}},
        {"a point outside a segment is none", outside, 0, 0, {}},
        {"megabytes of whitespace", wide, 2, 1, {}},
        {"many points", W().segment().points(100000, 0).text(), 100000, 1, {}},
        {"entities declared", W().prolog(entities).raw("&b;").text(), 0, 0, {}, "declares no entities"},
        {"an entity nobody declared", W().raw("<name>&b;</name>").text(), 0, 0, {}, "undefined entity"},
        {"nested too deep", W().raw(deep).text(), 0, 0, {}, "nested deeper"},
        {"a tag of megabytes", W().raw("<trkpt" + megabytes + "/>").text(), 0, 0, {}, "longer than 1 MiB"},
        {"cut off", whole.substr(0, whole.size() / 2), 0, 0, {}, "line "},
        {"not GPX", "<kml><trk/></kml>", 0, 0, {}, "its root element is <kml>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GeoTrack track;
        readGpxFile(test::TempDir().write("first.gpx", W().segment().points(2, 0).text()), track);
        try {
            GpxReader reader(track, "file.gpx");
            for (std::size_t at = 0; at < c.text.size(); at += 4096) // in pieces, as a file is read
                reader.feed(std::string_view(c.text).substr(at, 4096));
            reader.finish();
            EXPECT_EQ(c.error, nullptr);
        } catch (const PelmarkError& error) {
            ASSERT_NE(c.error, nullptr) << error.what();
            EXPECT_NE(std::string(error.what()).find(c.error), std::string::npos) << error.what();
        }
        EXPECT_EQ(track.points.size(), 2 + c.points);
        EXPECT_EQ(track.segments, 1 + c.segments);
        const SkippedPoints& s = track.skipped;
        EXPECT_EQ(std::vector({s.withoutTime, s.impossibleTime, s.outOfOrder, s.withoutPosition}),
                  std::vector({c.skipped.withoutTime, c.skipped.impossibleTime, c.skipped.outOfOrder,
                               c.skipped.withoutPosition}));
        for (std::size_t p = 2; p < track.points.size(); ++p)
            EXPECT_GE(track.points[p].segment, 1u); // the second file's segments follow the first's
    }
}

// The engine's example for host programs geotags a folder as documented.
TEST(EngineExample, GeotagsAFolderFromAGpxTrack) {
    test::TempDir dir;
    const std::string track = dir.write("walk.gpx", W().segment().points(600, 1067122800).text());
    fixtures::JpegExifWriter()
        .sub(fixtures::asciiEntry(0x9003, "2003:10:26 01:05:00"))
        .writeTo(dir.file("a.jpg"));
    dir.write("b.jpg", "");
    const std::string out = dir.file("out.txt");
    const std::string command = std::string(PELMARK_ENGINE_EXAMPLE) + " " + track + " " + dir.folder();
    ASSERT_EQ(std::system((command + " Europe/Berlin >" + out).c_str()), 0);
    EXPECT_EQ(test::contentOf(out), "a.jpg 48.003000 11.003000 2003-10-25T23:05:00Z\n");
}

} // namespace
} // namespace pelmark
