#include "control/VeltoraControl.h"
#include "fixtures/TrackFileWriter.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

using fixtures::TrackFileWriter;

std::string countPanel(VeltoraControl& control) {
    return control.surface().get("StatusBar2").panels.at(0).text;
}

TEST(LoadTrackButton, LoadsTheChosenTrackAndStopEndsALoadWithoutChangingIt) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    test::TempDir dir;
    const std::string path =
        dir.write("walk.t", TrackFileWriter().title("Isartal").points(4, 424512031, 10).bytes());
    platform.queueFile(path);

    EXPECT_TRUE(control.Anzahl().isEmpty());
    control.surface().userClick("LoadTrack");
    EXPECT_EQ(platform.yieldCount(), 4); // one after every point
    EXPECT_EQ(control.surface().text("PathTxt"), path);
    EXPECT_EQ(control.Anzahl(), Variant(3));
    EXPECT_EQ(countPanel(control), "Gelesene Trackpunkte: 4");
    EXPECT_EQ(control.surface().text("TitelTxt"), "Isartal");
    EXPECT_EQ(control.surface().text("DateTo"), "14.06.2003 09:00:51");

    control.surface().setText("PathTxt", dir.write("long.t", TrackFileWriter().points(50, 86400, 1).bytes()));
    platform.atYield(3, [&] { control.surface().userClick("StopBtn"); });
    control.surface().userClick("LoadTrack");
    EXPECT_EQ(control.Anzahl(), Variant(3));
    EXPECT_EQ(countPanel(control), "Gelesene Trackpunkte: 4");
    EXPECT_EQ(control.surface().text("DateTo"), "14.06.2003 09:00:51");
    EXPECT_EQ(control.surface().text("DateFrom"), "01.01.1990 01:00:00"); // the stopped load got that far
    EXPECT_LT(platform.yieldCount(), 14);
}

} // namespace
} // namespace pelmark
