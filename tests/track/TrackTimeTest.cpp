#include "track/TrackTime.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

// Expected texts come from an independent calendar (1989-12-31 plus the seconds plus one hour).
TEST(TrackTimeText, ShowsTheGpsTimePlusOneHour) {
    struct Case {
        const char* name;
        std::uint32_t seconds;
        const char* text;
    };
    const Case cases[] = {
        {"the first second of the GPS clock", 0, "31.12.1989 01:00:00"},
        {"one day later", 86400, "01.01.1990 01:00:00"},
        {"the last second before midnight", 82799, "31.12.1989 23:59:59"},
        {"the added hour crosses into the new year", 82800, "01.01.1990 00:00:00"},
        {"a leap day", 320713200, "29.02.2000 00:00:00"},
        {"a photo day in June", 424512031, "14.06.2003 09:00:31"},
        {"the largest time a track can hold", 4294967295u, "06.02.2126 07:28:15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(trackTimeText(c.seconds), c.text);
    }
}

} // namespace
} // namespace pelmark
