#include "geotag/GeotagCommand.h"

#include "control/VeltoraControl.h"
#include "fixtures/TrackFileWriter.h"
#include "platform/ScriptedPlatform.h"
#include "sample/SampleTrip.h"
#include "support/TempDir.h"

#include <QCoreApplication>
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
    static int argc = 1;
    static char name[] = "test_console";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) static QCoreApplication app(argc, argv);
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
    const Case cases[] = {
        {"the start-up offset: the finder sees the hour",
         0,
         true,
         "3569 s ahead, 19 of 24 photos match instead of 15 (the given offset moved by 1 h",
         {track}},
        {"the offset found", 0, true, "\"seconds\":3569", {track, "--find-offset"}},
        {"the file's name taken by a folder", 0, false, "time-zone or summer-time", {track}, true},
        {"dry, no match", 1, false, "instead of 0", {track, "--offset", "99999", "--dry-run", "--behind"}},
        {"an unknown report form", 2, false, nullptr, {track, "--report", "xml"}},
        {"no track file", 2, false, nullptr, {dir.file("none.t")}},
        {"both directions", 2, false, nullptr, {track, "--ahead", "--behind"}},
        {"a sidecar's position given way to without sidecars", 2, false, nullptr, {track, "--overwrite"}},
    };
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
    const Case cases[] = {
        {"help", {"--help"}, false, 0, "--find-offset      use the offset"},
        {"the photos past the 500th", {"--dry-run", "--", track}, false, 1, "photos left out: 1"},
        {"the points past the table", {"--dry-run", "--", track}, false, 1, "past the 10000th are left out"},
        {"a report that cannot be written",
         {"--dry-run", "--", track},
         true,
         2,
         "report could not be written"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ostringstream out, err;
        if (c.reportFails) out.setstate(std::ios::badbit);
        EXPECT_EQ(geotag::runGeotag(c.args, out, err, false), c.exitCode) << err.str();
        EXPECT_NE((out.str() + err.str()).find(c.said), std::string::npos) << out.str() << err.str();
    }
}

} // namespace
} // namespace pelmark
