#include "geotag/GeotagCommand.h"

#include "control/VeltoraControl.h"
#include "fixtures/GpxWriter.h"
#include "fixtures/JpegExifWriter.h"
#include "fixtures/TrackFileWriter.h"
#include "platform/ScriptedPlatform.h"
#include "sample/SampleTrip.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace pelmark {
namespace {

using test::contentOf;

// The report on the sample trip whose camera runs an hour ahead agrees with the control's "RUN" at the
// offset the report used: the same photos matched, and the same waypoint file.
TEST(GeotagCommand, ReportsWhatTheControlsRunMatches) {
    test::TempDir dir;
    sample::writeSampleTrip(dir.folder(), 3600);
    const std::string track = dir.file(sample::kSampleTrackName);
    const std::string wayPoints = dir.file(dir.path().filename().string() + ".wp");

    struct Case {
        const char* name;
        int exitCode;
        bool written;
        const char* adviceOrUsed; // a part of the advice, or of the offset used when no advice is due
        std::vector<std::string> args;
        bool nameTaken = false; // a folder stands where the waypoint file goes
    };
    // clang-format off
    const Case cases[] = {
        {"the start-up offset: the finder sees the hour", 0, true,
         "3569 s ahead, 19 of 24 photos match instead of 15 (the given offset moved by 1 h", {track}},
        {"the offset found",                 0, true,  "\"seconds\":3569",        {track, "--find-offset"}},
        {"the file's name taken by a folder", 0, false, "time-zone or summer-time", {track}, true},
        {"dry, no match",                    1, false, "instead of 0", {track, "--offset", "99999", "--dry-run", "--behind"}},
        {"an unknown report form",           2, false, nullptr, {track, "--report", "xml"}},
        {"no track file",                    2, false, nullptr, {dir.file("none.t")}},
        {"both directions",                  2, false, nullptr, {track, "--ahead", "--behind"}},
        {"a sidecar's position given way to without sidecars", 2, false, nullptr, {track, "--overwrite"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(wayPoints);
        if (c.nameTaken) std::filesystem::create_directory(wayPoints);
        std::vector<std::string> args = c.args;
        if (c.exitCode != 2) args.insert(args.end(), {"--report", "json"});
        std::ostringstream out, err;
        ASSERT_EQ(geotag::runGeotag(args, out, err, false), c.exitCode) << err.str();
        EXPECT_EQ(std::filesystem::is_regular_file(wayPoints), c.written);
        if (c.exitCode == 2) {
            EXPECT_NE(err.str().find("pelmark geotag: "), std::string::npos);
            continue;
        }
        const auto report = nlohmann::json::parse(out.str());
        const auto& summary = report["summary"];
        if (c.nameTaken) {
            EXPECT_NE(summary["notWritten"].get<std::string>().find("konnte nicht geschrieben werden"),
                      std::string::npos);
            std::filesystem::remove(wayPoints);
        }
        EXPECT_NE(summary.value("advice", summary["offset"].dump()).find(c.adviceOrUsed), std::string::npos)
            << summary.dump();
        // Whatever the run used, the finder sees the hour (to within the match window).
        EXPECT_TRUE(summary["bestOffset"]["cameraAhead"].get<bool>());
        EXPECT_NEAR(summary["bestOffset"]["seconds"].get<double>(), 3600, 2 * 120);
        EXPECT_EQ(summary["bestOffset"]["matched"].get<int>(), 19);
        const std::string written = contentOf(wayPoints);

        ScriptedPlatform platform;
        VeltoraControl control(platform);
        control.surface().userSetText("KameraShift", summary["offset"]["seconds"].dump());
        control.surface().userClick(summary["offset"]["cameraAhead"] ? "KameraVor" : "KameraNach");
        platform.queueFile(track);
        control.surface().userClick("RunAllBtn");
        for (const auto& photo : report["photos"]) {
            SCOPED_TRACE(photo["name"].get<std::string>());
            EXPECT_EQ(photo["matched"].get<bool>(), control.wayPoints().matched(photo["number"].get<int>()));
        }
        if (c.written) {
            EXPECT_EQ(contentOf(wayPoints), written);
        }
    }
}

// The command's own conventions: help, the end of the options, a report that cannot be written, and
// what a run of the control cannot hold said in the summary.
TEST(GeotagCommand, SaysWhatItDidNotDo) {
    test::TempDir dir;
    // 501 photos, one past what a run takes, beside a track of 10,001 points, one past the table.
    for (int k = 1; k <= 501; ++k)
        dir.write("p" + std::to_string(1000 + k) + ".jpg", "");
    const std::string track = dir.write("t.t", fixtures::TrackFileWriter().points(10001, 0, 1).bytes());
    struct Case {
        const char* name;
        std::vector<std::string> args;
        bool reportFails;
        int exitCode;
        const char* said; // in what was written to out and err
    };
    const std::vector<std::string> dry = {"--dry-run", "--", track},
                                   all = {"--photos", dir.folder(), "--", track};
    // clang-format off
    const Case cases[] = {
        {"help",                                 {"--help"}, false, 0, "--interpolate [SECONDS]  place a photo"},
        {"the photos past the 500th",            dry, false, 1, "photos left out: 1"},
        {"the points past the table",            dry, false, 1, "past the 10000th are left out"},
        {"neither cap outside the control's case", all, false, 1, "0 of 501"},
        {"nor for the points",                   all, false, 1, "track: 10001 points read, of which 10000 take part"},
        {"a report that cannot be written",      dry, true,  2, "report could not be written"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ostringstream out, err;
        if (c.reportFails) out.setstate(std::ios::badbit);
        EXPECT_EQ(geotag::runGeotag(c.args, out, err, false), c.exitCode) << err.str();
        EXPECT_NE((out.str() + err.str()).find(c.said), std::string::npos) << out.str() << err.str();
    }
}

// Photos placed on a GPX track by their instants: a walk logged every second from 23:00 UTC on the night
// summer time ended in Berlin, photos taken on both sides of the change with the camera on local time.
TEST(GeotagCommand, PlacesPhotosByTheirInstants) {
    test::TempDir dir;
    const std::string track = dir.write(
        "walk.gpx", fixtures::GpxWriter().segment().points(14400, 1067122800).point({0, 0, "", {}}).text());
    // A photo with its capture time, then any further EXIF texts of the sub-directory.
    const auto photo = [&](const std::string& name, std::vector<std::pair<std::uint16_t, const char*>> tags) {
        fixtures::JpegExifWriter writer;
        for (const auto& [tag, text] : tags)
            writer.sub(fixtures::asciiEntry(tag, text));
        writer.writeTo(dir.file(name));
    };
    std::filesystem::create_directory(dir.file("more"));
    photo("p1.jpg", {{0x9003, "2003:10:26 01:30:00"}}); // summer time: 23:30 UTC, point 1800
    photo("p2.jpg", {{0x9003, "2003:10:26 03:30:00"}}); // winter time: 02:30 UTC, point 12600
    photo("p3.jpg", {{0x9003, "2003:10:26 01:00:00"}, {0x9011, "+02:00"}}); // its own zone: 23:00, point 0
    photo("more/p4.jpg", {{0x9003, "2003:10:26 03:40:00"}, {0x9291, "5"}}); // 02:40:00.5, 13200 to 13201
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int exitCode;
        std::vector<std::pair<std::string, double>> points; // photo and point (a half: interpolated)
        double offsetShown = 0; // the summary's offset: none when no photo took the control's 31 s
    };
    const char *tz = "--camera-tz", *berlin = "Europe/Berlin";
    // clang-format off
    const Case cases[] = {
        {"the camera's zone", {tz, berlin}, 0, {{"p1.jpg", 1800}, {"p2.jpg", 12600}, {"p3.jpg", 0}}},
        {"the control's comparison beside the photo's own zone", {}, 0, {{"p1.jpg", 1831}, {"p3.jpg", 0}}, 31},
        {"a clock photo sets the offset for all", {tz, berlin, "--sync", "p1.jpg=2003-10-26T01:31:35+02:00"}, 0,
         {{"p1.jpg", 1895}, {"p2.jpg", 12695}, {"p3.jpg", 95}}, 95},
        {"two clock photos: offset and drift (10 s in 3 h)",
         {tz, berlin, "--sync", "p1.jpg=2003-10-25T23:31:35Z", "--sync", "p2.jpg=2003-10-26T02:31:45Z"}, 0,
         {{"p1.jpg", 1895}, {"p2.jpg", 12705}, {"p3.jpg", 93}}},
        {"interpolated, from another folder too", {tz, berlin, "--interpolate", "--photos", dir.folder(), "--recursive"},
         0, {{"p2.jpg", 12600}, {"p4.jpg", 13200.5}}},
        {"an unknown zone",            {tz, "Europe/Atlantis"}, 2, {}},
        {"a clock photo that is none", {"--sync", "p9.jpg=2003-10-26T01:31:35Z"}, 2, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--report", "json", track});
        std::ostringstream out, err;
        ASSERT_EQ(geotag::runGeotag(args, out, err, false), c.exitCode) << err.str();
        if (c.exitCode == 2) continue;
        const auto report = nlohmann::json::parse(out.str());
        EXPECT_EQ(report["summary"]["trackPointsSkipped"]["withoutTime"], 1); // the walk's last point
        // A drift's line has no one offset to show.
        if (std::count(c.args.begin(), c.args.end(), "--sync") < 2) {
            EXPECT_EQ(report["summary"]["offset"]["seconds"], c.offsetShown);
        }
        for (const auto& [expected, point] : c.points) {
            const std::string& name = expected; // clang 14's lambdas take no structured binding
            SCOPED_TRACE(name);
            const auto row = std::find_if(report["photos"].begin(), report["photos"].end(),
                                          [&](const auto& p) { return p["name"] == name; });
            ASSERT_NE(row, report["photos"].end());
            ASSERT_TRUE((*row)["matched"].get<bool>()) << row->dump();
            EXPECT_NEAR((*row)["latitude"].get<double>(), fixtures::runLatitude(0) + 1e-5 * point, 1e-9);
            // The run's point k lies 500 + k % 100 m high: the GPX elevations are read, and interpolated.
            EXPECT_NEAR((*row)["elevation"].get<double>(), 500 + std::fmod(point, 100), 1e-9);
            EXPECT_EQ((*row)["interpolated"].get<bool>(), point != std::floor(point));
        }
    }
}

} // namespace
} // namespace pelmark
