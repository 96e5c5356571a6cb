#include "waypoints/WayPointFile.h"

#include "base/Error.h"
#include "geotag/GeotagRig.h"
#include "waypoints/WayPointWriter.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

namespace pelmark {
namespace {

using namespace std::string_literals;

// A slot matched to a point with known raw bytes; its time bytes are 78 56 34 12.
WayPoint matchedSlot(const std::string& photoName, const std::string& photoPath) {
    WayPoint slot;
    slot.position1 = "\x01\x02\x03\x04"s;
    slot.position2 = "\x05\x06\x07\x08"s;
    slot.altitude = "\x2C\x01"s;
    slot.timeRaw = "\x78\x56\x34\x12"s;
    slot.photoName = photoName;
    slot.photoPath = photoPath;
    return slot;
}

TEST(WayPointFileName, LiesBesideTheTrackNamedAfterItsFolder) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"/Touren/Eifel/tour1.t", "/Touren/Eifel/Eifel.wp"},
        {"Eifel/tour1.t", "Eifel/.wp"},
        {"/t.t", "/.wp"},
        {"tour1.t", ".wp"},
        {"x", std::nullopt}};
    for (const auto& [track, file] : cases) {
        SCOPED_TRACE(track);
        EXPECT_EQ(wayPointFileName(track), file);
    }
}

TEST(WayPointRecord, HoldsNameCommentPositionTimeAndAltitude) {
    struct Case {
        const char* name;
        WayPoint slot;
        std::string bytes;
    };
    const WayPoint base = matchedSlot("P1010023.JPG", "/F/P1010023.JPG");
    const std::string tail =
        "\x01\x02\x03\x04\x05\x06\x07\x08"s + "\x00\x56\x34\x12\x47\xFE\x34\x00\x2C\x01"s;
    WayPoint gipfel = base;
    gipfel.text = "Gipfel";
    WayPoint shortName = base;
    shortName.photoName = "IMG1.jpg";
    WayPoint longPath = base;
    longPath.photoPath = std::string(300, 'a');
    const Case cases[] = {
        {"a point text in brackets", gipfel,
         "W\x06\x00"s + "010023" + "\x1E\x00"s + "Bild: /F/P1010023.JPG (Gipfel)" + tail},
        {"a short name padded with blanks", shortName,
         "W\x06\x00"s + "IMG1  " + "\x15\x00"s + "Bild: /F/P1010023.JPG" + tail},
        {"a comment cut to 255 bytes", longPath,
         "W\x06\x00"s + "010023" + "\xFF\x00"s + ("Bild: " + std::string(249, 'a')) + tail},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(wayPointRecord(c.slot), c.bytes);
    }
}

// Regular files whose names start with a dot: a new file left behind.
long hiddenFilesIn(const std::string& folder) {
    return std::count_if(std::filesystem::directory_iterator(folder), {}, [](const auto& entry) {
        return entry.path().filename().string()[0] == '.' && !entry.is_symlink();
    });
}

// Photos 1 and 2 of the folder "F", only the second matched, the track "F/t.t".
struct WriterRig : test::GeotagRig {
    WriterRig() : GeotagRig({}, {}) {
        folder.write("F/t.t", "");
        surface.setText("PathTxt", folder.file("F/t.t"));
        surface.setEnabled("PictureCount", true);
        surface.setText("PictureCount", "2");
        run.wayPoints().slot(2) = matchedSlot("P1010002.JPG", "/F/P1010002.JPG");
    }
    std::string wayPoints() const { return folder.file("F/F.wp"); }

    std::vector<std::string> started;
    WayPointWriter writer{context, run, [this](const std::string& path) { started.push_back(path); }};
};

TEST(PrintWayPointList, ReplacesTheOldFileOnlyWithAWholeNewOne) {
    const std::string header =
        "GARtrip waypoints\xCC\x00\x06\x00WGS-84\x0C\x00hddd\xB0mm.mmm'\x02\x00+0\x00\x00"s;
    const std::string reference = "\x06\x00"s + "010002" +
                                  "\x01\x02\x03\x04\x05\x06\x07\x08\x50\xC3\x00\x00"s + "\x31\x00"s +
                                  "Automatically generated Waypoint file by Brenlowe";
    const std::string record = "W\x06\x00"s + "010002" + "\x15\x00"s + "Bild: /F/P1010002.JPG" +
                               "\x01\x02\x03\x04\x05\x06\x07\x08\x00\x56\x34\x12\x47\xFE\x34\x00\x2C\x01"s;
    const std::string old = "old bytes";
    auto photoOne = [](std::string bytes) {
        for (auto at = bytes.find("0002"); at != std::string::npos; at = bytes.find("0002"))
            bytes.replace(at, 4, "0001");
        return bytes;
    };
    struct Case {
        const char* name;
        std::string file;
        std::optional<ErrorKind> failure;
        bool starts;
        std::function<void(WriterRig&)> arrange;
    };
    const std::string whole = header + reference + record;
    // clang-format off
    const Case cases[] = {
        {"the second of two photos matched", whole, std::nullopt, true, [](WriterRig&) {}},
        {"without the program button nothing starts", whole, std::nullopt, false,
         [](WriterRig& rig) { rig.surface.setButtonPressed("Toolbar2", WayPointWriter::kGarTripKey, false); }},
        {"no match writes nothing", old, std::nullopt, false, [](WriterRig& rig) { rig.run.wayPoints().slot(2).position1.clear(); }},
        // A folder holding a file stands at the waypoint file's name: nothing can replace it, even for a
        // user whom file permissions do not stop.
        {"a waypoint file that cannot be replaced", "", ErrorKind::FileWrite, false,
         [](WriterRig& rig) { std::filesystem::remove(rig.wayPoints()); rig.folder.write("F/F.wp/x", ""); }},
        // Someone plants a link at the name a new file once had: it is neither followed nor replaced.
        {"a link planted at a hidden name", whole, std::nullopt, true,
         [](WriterRig& rig) { std::filesystem::create_symlink("victim", rig.folder.file("F/.F.wp.part")); }},
        {"a stop after the first of two records keeps that one", header + photoOne(reference) + photoOne(record), std::nullopt, false,
         [](WriterRig& rig) {
             WayPoint& first = rig.run.wayPoints().slot(1) = rig.run.wayPoints().slot(2);
             first.photoName = "P1010001.JPG", first.photoPath = "/F/P1010001.JPG";
             rig.platform.atYield(1, [&rig] { rig.stop.request(), rig.file.close(); });
         }},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriterRig rig;
        rig.folder.write("F/F.wp", old);
        rig.folder.write("F/victim", "victim");
        c.arrange(rig);
        std::optional<ErrorKind> failure;
        try {
            rig.writer.printWayPointList();
        } catch (const PelmarkError& error) {
            failure = error.kind();
            EXPECT_NE(std::string(error.what()).find(rig.wayPoints()), std::string::npos) << error.what();
        }
        EXPECT_EQ(failure, c.failure);
        const bool file = std::filesystem::is_regular_file(rig.wayPoints());
        EXPECT_EQ(file ? test::contentOf(rig.wayPoints()) : "", c.file);
        const std::vector<std::string> bothFiles{rig.wayPoints(), rig.folder.file("F/t.t")};
        EXPECT_EQ(rig.started, c.starts ? bothFiles : std::vector<std::string>{});
        EXPECT_FALSE(rig.file.isOpen());
        EXPECT_EQ(test::contentOf(rig.folder.file("F/victim")), "victim");
        EXPECT_EQ(hiddenFilesIn(rig.folder.file("F")), 0);
    }
}

// A program ended by a signal while it writes leaves the old file and no new one behind.
TEST(PrintWayPointList, AnInterruptedWriteLeavesNothingBehind) {
    WriterRig rig;
    rig.folder.write("F/F.wp", "old bytes");
    rig.platform.atYield(1, [] { ::raise(SIGINT); });
    EXPECT_EXIT(rig.writer.printWayPointList(), ::testing::KilledBySignal(SIGINT), "");
    EXPECT_EQ(test::contentOf(rig.wayPoints()), "old bytes");
    EXPECT_EQ(hiddenFilesIn(rig.folder.file("F")), 0);
}

} // namespace
} // namespace pelmark
