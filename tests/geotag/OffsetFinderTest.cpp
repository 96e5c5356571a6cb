#include "geotag/OffsetFinder.h"

#include "geotag/GpsClock.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace pelmark {
namespace {

// The `Time` of a point that a photo taken at `exif` ("YYYY:MM:DD HH:MM:SS") meets with no offset: the
// matching compares the track side two hours after the point's time.
std::uint32_t pointMeeting(const char* exif) {
    int y, mo, d, h, mi, s;
    std::sscanf(exif, "%d:%d:%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s);
    using namespace std::chrono;
    const auto at = sys_days{year{y} / mo / d} + hours{h} + minutes{mi} + seconds{s};
    return static_cast<std::uint32_t>((at - sys_days{year{1989} / December / 31}).count() - 7200);
}

// Times listed as "T, T, ...": each "YYYY:MM:DD HH:MM:SS", or a time of day alone on 14.06.2003.
std::vector<std::string> timesIn(const std::string& list) {
    std::vector<std::string> times;
    for (std::size_t at = 0, end = 0; end != std::string::npos; at = end + 2) {
        end = list.find(", ", at);
        const std::string time = list.substr(at, end - at);
        times.push_back(time.size() == 8 ? "2003:06:14 " + time : time);
    }
    return times;
}
std::vector<std::uint32_t> pointsMeeting(const std::string& list) {
    std::vector<std::uint32_t> points;
    for (const std::string& time : timesIn(list))
        points.push_back(pointMeeting(time.c_str()));
    return points;
}

TEST(FindOffset, MatchesTheMostPhotosNearTheEnteredOffset) {
    // Offsets as seconds added to the photo's time: negative is the camera ahead.
    struct Case {
        const char* name;
        const char *photos, *points;
        double entered, added;
        int matched;
        double lowest, highest; // the span of added seconds that matches as many
    };
    // clang-format off
    const Case cases[] = {
        {"an hour behind", "09:00:00, 09:10:00, 09:20:00", "10:00:00, 10:10:00, 10:20:00", 0, 3600, 3, 3480, 3720},
        {"the entered drift moved by the hour, not the hour alone", "11:00:00, 11:10:00, 11:20:00",
         "10:00:31, 10:10:31, 10:20:31", 31, -3569, 3, -3689, -3449},
        {"only (120, 121) matches both: no whole second does, so the half", "10:00:00, 10:10:00",
         "10:04:00, 10:10:01", 0, 120.5, 2, 120, 121},
        {"a quarter-hour step wins over a nearer offset",    "10:00:00", "09:50:00, 10:14:00", 0,   900, 1, 720, 960},
        {"no quarter-hour step fits: the nearest to the entered one", "10:00:00", "09:50:00, 10:14:00", 700, 721, 1, 720, 960},
        {"two offsets as near: the camera behind",           "10:00:00", "09:50:00, 10:10:00", 0,   481, 1, 480, 720},
        {"a track covering the photo: no offset at all",     "10:00:00", "09:59:00, 10:03:00", 0,   0,   1, -180, 60},
        {"a photo 120 s from two points 240 s apart matches neither without an offset", "10:02:00",
         "10:00:00, 10:04:00", 0, 1, 1, 0, 240},
        {"no offset matches anything: another month, no capture time", "2003:07:14 10:00:00, ", "10:00:00", 0, 0, 0, 0, 0},
        {"photos in two months, each against its own month only", "2003:06:30 12:00:00, 2003:07:01 12:00:00",
         "2003:06:30 12:30:00, 2003:07:01 11:20:00, 2003:07:01 12:30:00", 0, 1800, 2, 1680, 1920},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OffsetFound found = findOffset(timesIn(c.photos), TrackIndex(pointsMeeting(c.points)),
                                             CameraOffset{std::fabs(c.entered), c.entered < 0});
        EXPECT_EQ(found.offset.seconds, std::fabs(c.added));
        EXPECT_EQ(found.offset.cameraAhead, c.added < 0);
        EXPECT_EQ(found.matched, c.matched);
        EXPECT_EQ(found.lowestAdded, c.lowest);
        EXPECT_EQ(found.highestAdded, c.highest);
    }
}

TEST(ExplainPhoto, SaysWhyAPhotoHasItsPointOrNone) {
    using Kind = PhotoVerdict::Kind;
    struct Case {
        const char *name, *photo;
        CameraOffset offset;
        Kind kind;
        int point = 0;
        double seconds = 0;
        bool pointBefore = false;
    };
    // Points 1..4: 10:00:00, 10:05:00 twice (the lower number wins), 10:12:00.
    const TrackIndex track(pointsMeeting("10:00:00, 10:05:00, 10:05:00, 10:12:00"));
    const Case cases[] = {
        {"the corrected time meets a point", "09:59:29", {31, false}, Kind::Matched, 1, 0},
        {"the nearer of two, after the photo", "10:03:30", {0, false}, Kind::Matched, 2, 90},
        {"119.5 s still matches", "10:14:00", {0.5, true}, Kind::Matched, 4, 119.5, true},
        {"exactly 120 s does not", "10:14:00", {0, false}, Kind::BeyondLimit, 4, 120, true},
        {"far before the track", "09:50:00", {0, false}, Kind::BeyondLimit, 1, 600, false},
        {"another month", "2003:07:14 10:00:00", {0, false}, Kind::NoPointThatMonth},
        {"an empty date", "", {0, false}, Kind::NoCaptureTime},
        {"a date of blanks, as some cameras write", "    :  :     :  :  ", {0, false}, Kind::NoCaptureTime},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PhotoVerdict verdict = explainPhoto(timesIn(c.photo).front(), track, c.offset);
        EXPECT_EQ(verdict.kind, c.kind);
        EXPECT_EQ(verdict.point, c.point);
        EXPECT_EQ(verdict.seconds, c.seconds);
        EXPECT_EQ(verdict.pointBefore, c.pointBefore);
    }
}

// The matching counts a point's time as GPS time plus two hours: the offset makes the photo's time that.
TEST(GpsClock, TheOffsetFromAPhotoOfTheReceiversClock) {
    struct Case {
        const char *name, *taken, *shown;
        std::optional<CameraOffset> offset;
    };
    const Case cases[] = {
        {"the camera a drift behind", "2003:08:14 11:20:00", "09:20:31", CameraOffset{31, false}},
        {"the camera an hour and a drift ahead", "2003:08:14 12:20:00", "09:20:31", CameraOffset{3569, true}},
        {"across midnight: the nearer day", "2003:08:14 00:10:00", "22:05:00", CameraOffset{300, true}},
        {"hours and minutes only", "2003:08:14 11:20:00", " 09:20 ", CameraOffset{0, false}},
        {"a clock time that is none", "2003:08:14 11:20:00", "9.20", std::nullopt},
        {"a minute past the hour's end", "2003:08:14 11:20:00", "09:60", std::nullopt},
        {"a photo without a capture time", "", "09:20:31", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto found = offsetFromGpsClock(c.taken, c.shown);
        ASSERT_EQ(found.has_value(), c.offset.has_value());
        if (!found) continue;
        EXPECT_EQ(found->seconds, c.offset->seconds);
        EXPECT_EQ(found->cameraAhead, c.offset->cameraAhead);
    }
}

} // namespace
} // namespace pelmark
