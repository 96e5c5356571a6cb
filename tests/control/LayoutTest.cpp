#include "control/Layout.h"

#include "base/Latin1.h"
#include "control/VeltoraControl.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

TEST(Layout, StartUpShowsOnlyTheExifPanel) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    const Surface& surface = control.surface();
    EXPECT_EQ(surface.text("ShowHide"), "Show Waypoint Generator >>>");
    EXPECT_FALSE(surface.get("WPFrame").visible);
    EXPECT_EQ(surface.get("EXFrame").left, 100);
    EXPECT_EQ(surface.get("Tab1").selected, 0);
    EXPECT_EQ(surface.get("Tab1").items.at(0), "Allgemein");
    EXPECT_EQ(surface.get("Bild").height, 4208); // three quarters of 5610, to whole twips
    ASSERT_EQ(surface.get("ExposureProgram").items.size(), 8u);
    EXPECT_EQ(surface.get("ExposureProgram").items.back(), "8 - Landscape Mode");
    ASSERT_EQ(surface.get("StatusBar1").panels.size(), 4u);
    EXPECT_EQ(surface.get("StatusBar1").panels[2].tag, " Sub Tags) erkannt");
    EXPECT_EQ(surface.get("StatusBar1").panels[3].tag, "");
    ASSERT_EQ(surface.get("StatusBar2").panels.size(), 1u);
    EXPECT_EQ(surface.get("StatusBar2").panels[0].tag, "Gelesene Trackpunkte: ");
    EXPECT_EQ(surface.text("ActPictNum"), "0");
    EXPECT_EQ(surface.text("GPSAlt"), "0");
    EXPECT_EQ(surface.text("KameraShift"), "31");
    EXPECT_EQ(surface.value("KameraNach"), 1);
    EXPECT_FALSE(surface.get("StrobeReturnLight").enabled);
    EXPECT_TRUE(surface.get("Toolbar2").buttons.at(1).pressed);
    EXPECT_EQ(surface.get("RandomChoose").toolTip, latin1FromUtf8("Wählt zufällig ein Bild aus dem Ordner"));
}

TEST(Layout, GarTripPathComesFromTheStoreOrItsDefault) {
    struct Case {
        const char* name;
        std::optional<std::string> stored;
        std::string expected;
    };
    const Case cases[] = {
        {"nothing stored", std::nullopt, kDefaultGarTripPath},
        {"a stored path", "/opt/gartrip/gartrip", "/opt/gartrip/gartrip"},
        {"a stored empty text stays empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPlatform platform;
        if (c.stored) platform.writeSetting("Options", "GARTripPath", *c.stored);
        VeltoraControl control(platform);
        EXPECT_EQ(control.GARTripPath(), Variant(c.expected));
    }
}

TEST(Layout, ShowHideSwitchesByItsCaptionAndAnyResizeRestoresTheFixedSize) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    Surface& surface = control.surface();
    surface.userClick("ShowHide");
    EXPECT_EQ(surface.text("ShowHide"), "Hide Waypoint Generator <<<");
    EXPECT_TRUE(surface.get("WPFrame").visible);
    EXPECT_EQ(surface.get("EXFrame").left, 4795);
    surface.userClick("ShowHide");
    EXPECT_EQ(surface.text("ShowHide"), "Show Waypoint Generator >>>");
    EXPECT_FALSE(surface.get("WPFrame").visible);
    EXPECT_EQ(surface.get("EXFrame").left, 100);

    // Only the first four characters count, letter case included.
    struct Case {
        const char* caption;
        bool shows;
    };
    for (const Case c : {Case{"Showcase", true}, Case{"show", false}, Case{"", false}, Case{"Sho", false}}) {
        SCOPED_TRACE(c.caption);
        surface.setText("ShowHide", c.caption);
        surface.userClick("ShowHide");
        EXPECT_EQ(surface.get("WPFrame").visible, c.shows);
    }

    for (auto [width, height] : {std::pair{100, 100}, std::pair{20000, 9000}, std::pair{15165, 1}}) {
        surface.hostResize(width, height);
        EXPECT_EQ(surface.get(Surface::kControl).width, 15165);
        EXPECT_EQ(surface.get(Surface::kControl).height, 6240);
    }
}

} // namespace
} // namespace pelmark
