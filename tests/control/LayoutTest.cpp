#include "control/VeltoraControl.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

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
