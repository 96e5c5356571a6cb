#include "zones/CameraZone.h"

#include "base/Error.h"
#include "base/InstantText.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

// A camera's clock in a zone: the offset of the photo's own date, and the two hours a year that a
// summer-time change makes odd.
TEST(CameraZone, GivesTheOffsetOfThePhotosOwnDate) {
    struct Case {
        const char *name, *zone, *clock, *utc; // the clock in EXIF form
        int offset;
    };
    // clang-format off
    const Case cases[] = {
        {"the hour shown twice: still summer",    "Europe/Berlin", "2003:10:26 02:30:00", "2003-10-26T00:30:00Z", 7200},
        {"the hour skipped: not yet set forward", "Europe/Berlin", "2003:03:30 02:30:00", "2003-03-30T01:30:00Z", 3600},
        {"half hours",                            "Asia/Kolkata",  "2003:06:14 12:00:00", "2003-06-14T06:30:00Z", 19800},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto at = CameraZone(c.zone).utcOf(*exifClockSeconds(c.clock));
        EXPECT_EQ(isoText(at.utcSeconds), c.utc);
        EXPECT_EQ(at.offsetSeconds, c.offset);
    }
    EXPECT_THROW(CameraZone("Europe/Atlantis"), PelmarkError);
}

} // namespace
} // namespace pelmark
