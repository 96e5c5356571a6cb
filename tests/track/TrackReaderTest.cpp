#include "track/TrackReader.h"

#include "fixtures/TrackFileWriter.h"
#include "support/TempDir.h"
#include "track/TrackRig.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmark {
namespace {

using fixtures::TrackFilePoint;
using fixtures::TrackFileWriter;

TrackFilePoint pointAt(std::uint32_t time, std::string text = "") {
    TrackFilePoint p;
    p.time = time;
    p.text = std::move(text);
    return p;
}

struct ReaderBench : test::TrackRig {
    test::TempDir dir;

    std::string write(const std::string& name, const std::string& bytes) { return dir.write(name, bytes); }
    std::string status() const { return surface.get("StatusBar2").panels.front().text; }
    std::string text(const char* name) const { return surface.text(name); }
};

// Three points a minute apart, with a title: the good load that failures must leave alone.
TrackFileWriter threePoints() {
    return TrackFileWriter().title("Rundweg").points(3, 424512031, 60);
}

// Each case is loaded over an earlier track, whose times must not show through.
TEST(TrackReader, CountsThePointsReadCompletely) {
    struct Case {
        const char* name;
        std::string bytes;
        double anzahl; // StatusBar2 shows the points read, one more
        const char *dateFrom, *dateTo;
    };
    TrackFileWriter one, many, titleOnly, other = threePoints();
    one.title("Einer").point(pointAt(424512031));
    many.points(12000, 100, 1);
    titleOnly.title("Leer");
    other.tail("X" + fixtures::trackPointBytes(pointAt(5)));

    // clang-format off
    const Case cases[] = {
        {"one point: it takes part in nothing and the end shown is the empty slot 0", one.bytes(), 0,
         "14.06.2003 09:00:31", "31.12.1989 01:00:00"},
        {"three points: the end shown is the second", threePoints().bytes(), 2, "14.06.2003 09:00:31", "14.06.2003 09:01:31"},
        {"12000 points are cut after the 10000th",    many.bytes(),          9999, "31.12.1989 01:01:40", "31.12.1989 03:48:18"},
        {"a marker other than T ends the points",     other.bytes(),         2, "14.06.2003 09:00:31", "14.06.2003 09:01:31"},
        {"a title and no point is a complete load that shows no times", titleOnly.bytes(), -1, "", ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReaderBench bench;
        ASSERT_EQ(bench.read(bench.write("before.t", TrackFileWriter().points(2, 1000, 7).bytes())),
                  "Kein Fehler");
        EXPECT_EQ(bench.read(bench.write("track.t", c.bytes)), "Kein Fehler");
        EXPECT_EQ(bench.status(), "Gelesene Trackpunkte: " + std::to_string(static_cast<int>(c.anzahl) + 1));
        EXPECT_EQ(bench.anzahl, Variant(c.anzahl));
        EXPECT_EQ(bench.text("DateFrom"), c.dateFrom);
        EXPECT_EQ(bench.text("DateTo"), c.dateTo);
    }
}

// Slots hold the bytes as read, so they can be written back unchanged; a later, shorter load replaces
// only its own slots.
TEST(TrackReader, KeepsEveryRawFieldAsItStood) {
    ReaderBench bench;
    TrackFilePoint raw = pointAt(0xFEDCBA98, std::string("Gipfel\0\xB0", 8));
    raw.position1 = 0xFFFFFFFF;
    raw.position2 = 0x80000001;
    raw.byteValue = 200;
    raw.altitude = 0xFFFE;
    TrackFileWriter first;
    first.point(raw).point(pointAt(2, "zwei")).point(pointAt(3));
    ASSERT_EQ(bench.read(bench.write("raw.t", first.bytes())), "Kein Fehler");

    const TrackPoint& p = bench.reader.track().slot(1);
    EXPECT_EQ(p.position1, "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(p.position2, std::string("\x01\x00\x00\x80", 4));
    EXPECT_EQ(p.timeRaw, "\x98\xBA\xDC\xFE");
    EXPECT_EQ(p.time, 0xFEDCBA98u);
    EXPECT_EQ(p.byteValue, 200);
    EXPECT_EQ(p.textLength, 8);
    EXPECT_EQ(p.text, std::string("Gipfel\0\xB0", 8));
    EXPECT_EQ(p.altitude, "\xFE\xFF");

    TrackFileWriter second;
    second.point(pointAt(10)); // no text: the slot's old text must go
    ASSERT_EQ(bench.read(bench.write("second.t", second.bytes())), "Kein Fehler");
    EXPECT_EQ(bench.reader.track().slot(1).text, "");
    EXPECT_EQ(bench.reader.track().slot(1).time, 10u);
    EXPECT_EQ(bench.reader.track().slot(2).text, "zwei");
    EXPECT_EQ(bench.anzahl, Variant(0));
}

// A name is told by its last letters, in this letter case: "t" or "tb".
TEST(TrackReader, TheExtensionTestIsCaseSensitive) {
    const std::pair<const char*, bool> names[] = {{"a.tb", true},  {"notes.txt", true}, {"a.T", false},
                                                  {"a.TB", false}, {"a.Tb", false},     {"a.gpx", false}};
    for (auto [name, loads] : names) {
        SCOPED_TRACE(name);
        ReaderBench bench;
        EXPECT_EQ(bench.read(bench.write(name, threePoints().bytes())), loads ? "Kein Fehler" : "Fehler");
        EXPECT_EQ(bench.anzahl.isEmpty(), !loads);
    }
}

// A load that fails or is stopped may change the path, title and first time, but never the points, the
// count, the status panel or the end time; and it leaves the file slot closed. The kept hostile files below
// end this way too, and a missing file and a cancelled dialog in the track transcript.
TEST(TrackReader, AFailedLoadLeavesTheLastCompleteLoadShown) {
    struct Case {
        const char* name;
        std::function<std::string(ReaderBench&)> load;
        bool slotStaysClosed = true;
    };
    const std::string good = threePoints().bytes();
    const std::string five = TrackFileWriter().points(5, 999, 1).bytes();
    // clang-format off
    const Case cases[] = {
        {"a folder", [](ReaderBench& b) { b.write("folder.t/inside", ""); return b.read(b.dir.file("folder.t")); }},
        {"no path and no dialog allowed",
         [](ReaderBench& b) { return b.reader.readTrackFile(Variant(""), SCommonDialog::NoCommonDialog); }},
        {"a stop request alone, the file still open",
         [&](ReaderBench& b) { b.platform.atYield(1, [&b] { b.stop.request(); }); return b.read(b.write("flagged.t", five)); }},
        {"another file put into the slot during a yield", [&](ReaderBench& b) {
             std::string other = b.write("other.bin", good);
             b.platform.atYield(1, [&b, other] { b.file.openForReading(other); });
             return b.read(b.write("taken.t", five));
         }, false}, // the slot holds the other file now, and the reader must not close it
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReaderBench bench;
        ASSERT_EQ(bench.read(bench.write("good.t", good)), "Kein Fehler");
        const std::string status = bench.status();
        const std::string dateTo = bench.text("DateTo");
        const auto firstTime = bench.reader.track().slot(1).time;

        EXPECT_EQ(c.load(bench), "Fehler");
        EXPECT_EQ(bench.anzahl, Variant(2));
        // The points read before the failure never mix into the loaded track.
        EXPECT_EQ(bench.reader.track().slot(1).time, firstTime);
        EXPECT_EQ(bench.status(), status);
        EXPECT_EQ(bench.text("DateTo"), dateTo);
        EXPECT_EQ(bench.file.isOpen(), !c.slotStaysClosed);
    }
}

// The kept hostile track files, loaded over a good track: each either completes the point count given or
// fails and leaves the good load shown.
TEST(TrackReader, HostileFilesLoadAsFarAsTheirBytesGo) {
    struct Case {
        const char* name;
        std::optional<int> anzahl;
    };
    const Case cases[] = {
        {"track-title-beyond-end.t", std::nullopt},
        {"track-point-cut-midway.t", 0},
        {"track-text-length-65535-at-end.t", 0},
        {"track-empty.t", std::nullopt},
        {"track-header-only.t", std::nullopt},
        // Not in the folder: made here. A FIFO would wait for a writer for ever; the watchdog ends a
        // regression instead of hanging the run.
        {"fifo.t", std::nullopt},
    };
    const std::filesystem::path folder = std::filesystem::path(PELMARK_SOURCE_DIR) / "tests/data/malformed";
    std::set<std::string> covered;
    ::alarm(60);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        covered.insert(c.name);
        ReaderBench bench;
        ASSERT_EQ(bench.read(bench.write("good.t", threePoints().bytes())), "Kein Fehler");
        std::filesystem::path path = folder / c.name;
        ASSERT_TRUE(std::filesystem::exists(path) ||
                    ::mkfifo((path = bench.dir.path() / c.name).c_str(), 0600) == 0);
        EXPECT_EQ(bench.read(path.string()), c.anzahl ? "Kein Fehler" : "Fehler");
        EXPECT_EQ(bench.anzahl, Variant(c.anzahl.value_or(2)));
        EXPECT_EQ(bench.status(), "Gelesene Trackpunkte: " + std::to_string(c.anzahl.value_or(2) + 1));
        EXPECT_FALSE(bench.file.isOpen());
    }
    ::alarm(0);
    // A hostile track file added to the folder must have its outcome stated above.
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(!name.starts_with("track-") || covered.contains(name)) << name;
    }
}

} // namespace
} // namespace pelmark
