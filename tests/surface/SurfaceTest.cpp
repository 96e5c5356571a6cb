#include "surface/Surface.h"

#include "base/Error.h"
#include "surface/Inventory.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace pelmark {
namespace {

class SurfaceTest : public ::testing::Test {
protected:
    SurfaceTest() { buildInventory(surface); }

    StopRequest stop;
    Surface surface{stop};
};

TEST_F(SurfaceTest, ChangeEventsFireOnlyForRealChanges) {
    struct Case {
        const char *name, *element;
        std::function<void(Surface&)> change;
        int expected;
    };
    const std::vector<Case> cases = {
        {"new text", "ActPictNum", [](Surface& s) { s.setText("ActPictNum", "5"); }, 1},
        {"same text", "ActPictNum", [](Surface& s) { s.setText("ActPictNum", "0"); }, 0},
        {"user text", "KameraShift", [](Surface& s) { s.userSetText("KameraShift", "12"); }, 1},
        {"text cut at NUL to the same", "TitelTxt",
         [](Surface& s) { s.setText("TitelTxt", std::string("Titel\0xyz", 9)); }, 0},
        {"spin to the value it holds", "UpDown1", [](Surface& s) { s.setValue("UpDown1", 0); }, 0},
        {"check box ticked", "Flash", [](Surface& s) { s.setValue("Flash", 1); }, 1},
        {"check box clicked", "Flash", [](Surface& s) { s.userClick("Flash"); }, 1},
        {"label caption", "PictureCount", [](Surface& s) { s.setText("PictureCount", "7"); }, 0},
        {"partner option selected", "KameraNach", [](Surface& s) { s.setValue("KameraVor", 1); }, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StopRequest freshStop;
        Surface fresh(freshStop);
        buildInventory(fresh);
        int changes = 0;
        fresh.on(c.element, Event::Change, [&changes](const EventArgs&) { ++changes; });
        c.change(fresh);
        EXPECT_EQ(changes, c.expected);
    }
}

TEST_F(SurfaceTest, AClickOnATwoStateButtonSwitchesItBeforeTheToolbarHears) {
    bool pressedWhenHeard = true;
    std::string key;
    surface.on("Toolbar2", Event::ToolClick, [&](const EventArgs& args) {
        key = args.key;
        pressedWhenHeard = surface.get("Toolbar2").buttons[1].pressed;
    });
    surface.userClickTool("Toolbar2", "GarTrip Starten");
    EXPECT_EQ(key, "GarTrip Starten");
    EXPECT_FALSE(pressedWhenHeard);
    EXPECT_THROW(surface.userClickTool("Toolbar2", "gartrip starten"), PelmarkError);
}

TEST_F(SurfaceTest, ComboTextFollowsTheSelectionAndBack) {
    surface.setItems("ExposureProgram", {"1 - Manual Control", "2 - Program Normal"});
    surface.setSelected("ExposureProgram", 1);
    EXPECT_EQ(surface.text("ExposureProgram"), "2 - Program Normal");
    surface.setText("ExposureProgram", "");
    EXPECT_EQ(surface.get("ExposureProgram").selected, -1);
    EXPECT_THROW(surface.setSelected("ExposureProgram", 2), PelmarkError);
    // A shorter list drops a selection that no longer has its entry, the one just past the end too.
    surface.setSelected("ExposureProgram", 1);
    surface.setItems("ExposureProgram", {"1 - Manual Control"});
    EXPECT_EQ(surface.get("ExposureProgram").selected, -1);
}

TEST_F(SurfaceTest, UserActionsWithdrawAStopRequestOnlyWhenNothingRuns) {
    stop.request();
    surface.userSetText("KameraShift", "5");
    EXPECT_FALSE(stop.requested());

    // A click while an operation yields (the Stop button itself) leaves the request standing.
    surface.on("CombineCmd", Event::Click, [&](const EventArgs&) {
        stop.request();
        surface.userClick("RandomChoose");
        EXPECT_TRUE(stop.requested());
    });
    surface.userClick("CombineCmd");
    EXPECT_TRUE(stop.requested());
}

TEST_F(SurfaceTest, ObserversHearEveryRealPropertyChangeUntilRemoved) {
    std::vector<std::pair<std::string, Property>> heard;
    const auto id = surface.addObserver(
        [&](const Element& element, Property property) { heard.emplace_back(element.name, property); });
    const Picture picture{4, 3, std::make_shared<int>(0)};
    surface.setVisible("NoExifAvailable", true);
    surface.setVisible("NoExifAvailable", true);
    surface.setPanelText("StatusBar1", 1, " 3 von ");
    surface.setPanels("StatusBar1", surface.get("StatusBar1").panels);
    surface.setPicture("Bild", picture);
    surface.setPicture("Bild", picture);
    surface.removeObserver(id);
    surface.setVisible("NoExifAvailable", false);
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0], std::make_pair(std::string("NoExifAvailable"), Property::Visible));
    EXPECT_EQ(heard[1], std::make_pair(std::string("StatusBar1"), Property::Panels));
    EXPECT_EQ(heard[2], std::make_pair(std::string("Bild"), Property::Picture));
}

} // namespace
} // namespace pelmark
