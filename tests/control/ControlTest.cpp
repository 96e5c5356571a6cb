#include "base/Error.h"
#include "base/Jobs.h"
#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "geotag/GeotagRig.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "waypoints/WayPointFile.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace pelmark {
namespace {

// Three photos beside a track that matches two of them, with "GarTrip Starten" pressed: a RUN loads the
// track, scans the folder, matches, writes the waypoint file and starts the program twice.
struct Trip {
    Trip() {
        const std::uint32_t at = 429782400; // 2003-08-14, compared as 10:00:00
        const char* taken[] = {"2003:08:14 10:00:00", "2003:08:14 10:10:00", "2003:08:14 11:00:00"};
        for (int k = 0; k < 3; ++k)
            dir.write("p" + std::to_string(k + 1) + ".jpg",
                      fixtures::JpegExifWriter().sub(fixtures::asciiEntry(0x9003, taken[k])).bytes());
        test::trackFile({test::pointAt(at + 20, 100), test::pointAt(at + 610, 200)}).writeTo(dir.file("t.t"));
        other.write("q1.jpg", fixtures::JpegExifWriter().sub(fixtures::asciiEntry(0x9003, taken[2])).bytes());
        control.setGARTripPath(Variant("/bin/gartrip"));
        control.surface().setButtonPressed("Toolbar2", "GarTrip Starten", true);
        control.surface().setText("KameraShift", "0");
    }
    void run() {
        control.surface().setText("PathTxt", dir.file("t.t"));
        control.surface().userClick("RunAllBtn");
    }

    test::TempDir dir, other;
    ScriptedPlatform platform;
    VeltoraControl control{platform};
};

// While a job yields, the user starts another: it is refused, and the running job ends exactly as it
// does alone. Stop stays the one thing a user can do meanwhile.
TEST(Jobs, WhileAJobYieldsEveryOtherJobIsRefused) {
    struct Case {
        const char* name;
        std::function<void(Trip&)> intrude;
    };
    // clang-format off
    const Case cases[] = {
        {"RUN again",  [](Trip& t) { t.control.surface().userClick("RunAllBtn"); }},
        {"the writer", [](Trip& t) { t.control.PrintWayPointList(); }},
        {"a folder",   [](Trip& t) { Variant folder(t.other.folder()); t.control.OpenFolder(folder); }},
        {"a drop",     [](Trip& t) { t.control.surface().userDrop("Bild", std::vector<std::string>{t.other.file("q1.jpg")}); }},
    };
    // clang-format on
    // What an intrusion answers: refused as a job, not turned away later by the file slot another step
    // holds.
    const auto answer = [](const Case& c, Trip& t) -> std::string {
        try {
            c.intrude(t);
            return "taken";
        } catch (const PelmarkError& error) {
            return error.what() == std::string_view(Jobs::kBusyText) ? "refused" : error.what();
        }
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Trip trip;
        trip.run();
        const std::string wayPoints = *wayPointFileName(trip.dir.file("t.t"));
        const std::string alone = test::contentOf(wayPoints);
        ASSERT_FALSE(alone.empty());
        ASSERT_EQ(trip.platform.takeLaunched().size(), 2u);
        std::filesystem::remove(wayPoints);

        std::set<std::string> answers;
        for (int n = 1, yields = trip.platform.yieldCount(); n <= 2 * yields; ++n)
            trip.platform.atYield(n, [&] { answers.insert(answer(c, trip)); });
        trip.run();
        EXPECT_EQ(answers, std::set<std::string>{"refused"});
        EXPECT_EQ(test::contentOf(wayPoints), alone);
        EXPECT_EQ(trip.platform.takeLaunched().size(), 2u);
        EXPECT_TRUE(trip.platform.takeMessages().empty());
    }
}

// A job started while something that is no job yields (a photo load) takes its own steps: a drop
// answered "No" opens the dropped photo's folder.
TEST(Jobs, AJobStartedDuringAPhotoLoadTakesItsOwnSteps) {
    Trip trip;
    trip.platform.queueAnswer(MessageAnswer::No);
    trip.platform.atYield(1, [&] {
        trip.control.surface().userDrop("Bild", std::vector<std::string>{trip.other.file("q1.jpg")});
    });
    Variant photo(trip.dir.file("p1.jpg"));
    trip.control.LoadPictures(photo);
    EXPECT_EQ(trip.control.surface().text("FilePath"), trip.other.file("q1.jpg"));
}

// The start-up state, the toggle and the fixed size are checked end to end by the surface transcript;
// what it cannot reach is a caption the program changed: only its first four characters count.
TEST(Layout, ShowHideSwitchesByTheFirstFourCharactersOfItsCaption) {
    struct Case {
        const char* caption;
        bool shows;
    };
    for (const Case c : {Case{"Showcase", true}, Case{"Show", true}, Case{"show", false}, Case{"Sho", false},
                         Case{"", false}, Case{"Hide Waypoint Generator <<<", false}}) {
        SCOPED_TRACE(c.caption);
        ScriptedPlatform platform;
        VeltoraControl control(platform);
        control.surface().setText("ShowHide", c.caption);
        control.surface().userClick("ShowHide");
        EXPECT_EQ(control.surface().get("WPFrame").visible, c.shows);
    }
}

} // namespace
} // namespace pelmark
