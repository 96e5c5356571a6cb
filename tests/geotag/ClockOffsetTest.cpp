#include "geotag/ClockOffset.h"

#include "base/Error.h"
#include "control/VeltoraControl.h"
#include "track/TrackRig.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

// Track times below are the `Time` of a point whose shown track time is given in the comment
// (worked out with an independent calendar).
constexpr std::uint32_t kJune14At090031 = 424512031;       // 14.06.2003 09:00:31
constexpr std::uint32_t kJune30At230000 = 425944800;       // 30.06.2003 23:00:00
constexpr std::uint32_t kJune14At090031Of2002 = 392976031; // 14.06.2002 09:00:31

struct OffsetBench : test::TrackRig {
    ClockOffset offset{context};

    OffsetBench(const std::string& shift, bool ahead) {
        surface.setText("KameraShift", shift);
        surface.setValue(ahead ? "KameraVor" : "KameraNach", 1);
    }
};

TEST(DiffExifTrackTime, ComparesTheCorrectedPhotoTimeWithTheTrackTime) {
    struct Case {
        const char* name;
        const char* shift;
        bool cameraAhead;
        double seconds;
        const char* exifTime = "2003:06:14 10:00:00";
        std::uint32_t trackTime = kJune14At090031;
    };
    const Case cases[] = {
        {"camera behind: the photo counts as 10:00:31, the point as hour 9 + 1", "31", false, 0},
        {"camera ahead: the photo counts as 09:59:29", "31", true, 62},
        {"3 s apart across the month end", "0", false, 100000000, "2003:07:01 00:00:03", kJune30At230000},
        {"hour 24 of the track side is midnight within the day sum", "0", false, 3, "2003:06:30 23:59:57",
         kJune30At230000},
        {"same day and time of another year", "0", false, 100000000, "2003:06:14 10:00:31",
         kJune14At090031Of2002},
        {"a fractional offset", "2.5", false, 28.5},
        {"a comma ends the offset's number", "1,5", false, 30},
        {"an empty offset is 0", "", false, 31},
        {"leading blanks and a negative offset", "  -29", true, 2},
        {"text after the offset's number", "31 Sekunden", false, 0},
        {"a corrected second below 0 enters the sum as it is", "100", true, 121, "2003:06:14 10:00:10"},
        {"an empty EXIF time has year 0", "31", false, 100000000, ""},
        {"a time cut after the day compares from the day alone", "0", false, 36031, "2003:06:14"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OffsetBench bench(c.shift, c.cameraAhead);
        EXPECT_EQ(bench.offset.DiffExifTrackTime(Variant(c.exifTime), Variant(c.trackTime)),
                  Variant(c.seconds));
    }
}

TEST(DiffExifTrackTime, RefusesAPointTimeNoTrackCanHold) {
    OffsetBench bench("0", false);
    // Negative, beyond four bytes, and a text that is no number.
    const Variant times[] = {Variant(-1), Variant(4294967296.0), Variant("gestern")};
    for (std::size_t i = 0; i < std::size(times); ++i) {
        EXPECT_THROW(bench.offset.DiffExifTrackTime(Variant("2003:06:14 10:00:00"), times[i]), PelmarkError)
            << "case " << i;
    }
}

TEST(DiffExifTrackTime, TheControlMemberUsesTheStartUpOffset) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    Variant photo("2003:06:14 10:00:00");
    Variant point(kJune14At090031);
    // Start-up: 31 seconds, camera behind.
    EXPECT_EQ(control.DiffExifTrackTime(photo, point), Variant(0));
    // Both are read again at every call.
    control.surface().userClick("KameraVor");
    EXPECT_EQ(control.DiffExifTrackTime(photo, point), Variant(62));
    control.surface().userSetText("KameraShift", "1");
    EXPECT_EQ(control.DiffExifTrackTime(photo, point), Variant(32));
    EXPECT_EQ(photo, Variant("2003:06:14 10:00:00"));
    EXPECT_EQ(point, Variant(kJune14At090031));
}

} // namespace
} // namespace pelmark
