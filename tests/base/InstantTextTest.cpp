#include "base/InstantText.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

// The texts instants come in: GPX and clock-photo times (zoned or not), EXIF times. 1055566930 is
// 2003-06-14T05:02:10Z.
TEST(InstantText, ReadsTheFormsInstantsComeIn) {
    struct Case {
        const char* text;
        std::optional<double> iso, isoZoned, exif;
    };
    const Case cases[] = {
        {"2003-06-14T07:02:10.25+02:00", 1055566930.25, 1055566930.25, {}},
        {"2003-06-14T00:02:10-0500", 1055566930, 1055566930, {}},
        {"2003-06-14T05:02:10", 1055566930, {}, {}},
        {"2003-06-14T05:02:10+2:00", {}, {}, {}},
        {"2003:06:14 05:02:10.5", {}, {}, 1055566930.5},
        {"2003:13:14 05:02:10", {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(isoInstant(c.text), c.iso);
        EXPECT_EQ(isoInstant(c.text, true), c.isoZoned);
        EXPECT_EQ(exifClockSeconds(c.text), c.exif);
    }
    EXPECT_EQ(isoText(1055566930.25), "2003-06-14T05:02:10.250Z");
}

} // namespace
} // namespace pelmark
