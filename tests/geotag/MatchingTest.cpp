#include "geotag/ClockOffset.h"
#include "geotag/GeotagRig.h"
#include "geotag/OneStepRuns.h"
#include "geotag/TrackIndex.h"
#include "track/TrackTime.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

namespace pelmark {
namespace {

using namespace std::string_literals;

// The rule as the pairwise run states it: every point in order, a point replaces the best only when
// strictly nearer, starting from the limit.
TrackIndex::Match allPairs(const Track& track, long long count, const std::string& exifTime, double shift,
                           bool ahead) {
    TrackIndex::Match best;
    for (long long p = 1; p <= count; ++p) {
        const double d = clockDifference(exifTime, track.slot(p).time.value_or(0), shift, ahead);
        if (d < best.seconds) best = {static_cast<int>(p), d};
    }
    return best;
}

// The EXIF text of a moment given by its unnormalised fields.
std::string exifText(int year, int month, int day, int hour, int minute, int second) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d:%02d:%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return text;
}

// Seconds since the track's epoch for a GPS time on 14.08.2003 (shown one hour later, compared two).
constexpr std::uint32_t kAugust14At08 = 429782400; // compared as 10:00:00

TEST(TrackIndex, AnswersAsTheAllPairsComparisonOnRandomTracks) {
    std::mt19937 random(20031408);
    auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    // Around a year end, a month end after midnight's hour 24, and an ordinary morning.
    const std::uint32_t centres[] = {441763200, 425944800, kAugust14At08};
    const double shifts[] = {0, 31, 2.5, -3600, 1e9, -0.5, 119.5, 3600};
    const char* notTimes[] = {"", "abc", "2003:08", "2003:08:14 10:00:xx"};
    for (int track = 0; track < 400; ++track) {
        SCOPED_TRACE("track " + std::to_string(track));
        Track points;
        const std::uint32_t centre = centres[track % 3];
        const int count = 1 + below(300);
        const int spread = track % 2 ? 600 : 7200;
        for (int p = 1; p <= count; ++p) {
            TrackPoint& point = points.slot(p);
            // Unsorted times, some repeated, some points without a time at all.
            if (p > 1 && below(5) == 0)
                point.time = points.slot(1 + below(p - 1)).time;
            else if (below(50) != 0)
                point.time =
                    static_cast<std::uint32_t>(static_cast<int>(centre) + below(2 * spread) - spread);
        }
        const TrackIndex index(points, count);
        for (int photo = 0; photo < 30; ++photo) {
            std::string taken;
            if (below(10) == 0) {
                taken = notTimes[below(4)];
            } else {
                // Near some point, as its compared fields say, so that close calls are common.
                const CalendarTime at = trackTimeFields(points.slot(1 + below(count)).time.value_or(0));
                taken =
                    exifText(at.year, at.month, at.day, at.hour + 1, at.minute, at.second + below(300) - 150);
            }
            const double shift = shifts[below(8)];
            const bool ahead = below(2) == 1;
            const TrackIndex::Match expected = allPairs(points, count, taken, shift, ahead);
            const TrackIndex::Match found = index.nearest(taken, shift, ahead);
            ASSERT_EQ(found.point, expected.point) << taken << " shift " << shift << " ahead " << ahead;
            if (expected.point) {
                ASSERT_EQ(found.seconds, expected.seconds);
            }
        }
    }
}

// Five photos, 5 minutes apart from 10:00:00; points compared as 10:00:00, 10:10:30, 10:15:00 and
// 10:20:00, with altitudes 100, 200, 300 and 400.
TEST(CombineTrackPhotos, FillsTheSlotsOfTheHandledPhotos) {
    struct Case {
        const char *name, *shift, *secondShift; // secondShift: a second run, when given, with `start`
        double start;
        std::vector<int> points; // the matched point of photos 1..5, 0 for none
        int reference;
        const char* altitude;
        // A track load the user starts at every yield of the run: it is refused and changes nothing the
        // run works from (other jobs started meanwhile are refused by the jobs test).
        bool trackLoadMeanwhile = false;
    };
    const Case cases[] = {
        {"one run", "0", nullptr, 0, {1, 0, 2, 3, 4}, 1, "400"},
        {"start 2 handles photos 3 to 5 only", "0", "-600", 2, {1, 0, 1, 0, 2}, 1, "200"},
        {"a start at the count handles nothing", "0", "-600", 5, {1, 0, 2, 3, 4}, 1, "400"},
        {"the first match at photo 3", "-600", nullptr, 0, {0, 0, 1, 0, 2}, 3, "200"},
        {"no match", "100000", nullptr, 0, {0, 0, 0, 0, 0}, 0, "0"},
        {"a track load while the run yields is refused", "0", nullptr, 0, {1, 0, 2, 3, 4}, 1, "400", true},
    };
    const std::uint32_t at = kAugust14At08;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::GeotagRig rig({"2003:08:14 10:00:00", "2003:08:14 10:05:00", "2003:08:14 10:10:00",
                             "2003:08:14 10:15:00", "2003:08:14 10:20:00"},
                            {test::pointAt(at, 100), test::pointAt(at + 630, 200),
                             test::pointAt(at + 900, 300), test::pointAt(at + 1200, 400)});
        rig.surface.setText("PathTxt", rig.folder.file("t.t"));
        rig.surface.setText("KameraShift", c.shift);
        std::set<std::string> answers;
        if (c.trackLoadMeanwhile) {
            test::trackFile({test::pointAt(at + 5, 900)}).writeTo(rig.folder.file("u.t"));
            for (int n = 1; n <= 50; ++n)
                rig.platform.atYield(n, [&rig, &answers] {
                    answers.insert(rig.reader.readTrackFile(Variant(rig.folder.file("u.t")),
                                                            SCommonDialog::NoCommonDialog));
                });
        }
        rig.run.combineTrackPhotos(Variant::missing());
        EXPECT_EQ(answers, c.trackLoadMeanwhile ? std::set<std::string>{"Fehler"} : std::set<std::string>{});
        if (c.secondShift) {
            rig.surface.setText("KameraShift", c.secondShift);
            rig.run.combineTrackPhotos(Variant(c.start));
        }
        for (int photo = 1; photo <= 5; ++photo) {
            const WayPoint& slot = rig.run.wayPoints().slot(photo);
            const int point = c.points[static_cast<std::size_t>(photo - 1)];
            EXPECT_EQ(slot.position1, point ? rig.reader.track().slot(point).position1 : "") << photo;
            EXPECT_EQ(slot.time, point ? rig.reader.track().slot(point).time : std::nullopt) << photo;
            EXPECT_EQ(slot.photoName, rig.names[static_cast<std::size_t>(photo - 1)]);
        }
        EXPECT_EQ(rig.run.referencePhoto(), c.reference);
        EXPECT_EQ(rig.surface.text("GPSAlt"), c.altitude);
        EXPECT_TRUE(rig.surface.get("UpDown1").enabled);
    }
}

// Three photos at 10:00, 10:10 and 10:20; the track "t.t" (first in name order) has points at 10:00:30,
// 10:10:50 and 10:20:10, the track "u.t" at 10:10:20 and 10:20:40.
TEST(SearchAllTrackFiles, KeepsEachPhotosNearestPointOfAnyTrack) {
    struct Case {
        const char* name;
        bool photoShown;
        std::vector<const char*> tracks; // the file of each photo's match, "" for none
        const char* result;
        int writes;
        std::uint32_t secondPoint = 650; // of "t.t"
    };
    const Case cases[] = {
        {"a later track replaces only nearer matches", true, {"t.t", "u.t", "t.t"}, "Found", 1},
        {"a photo the first track left without a match", true, {"t.t", "u.t", "t.t"}, "Found", 1, 900},
        {"no photo on display", false, {"", "", ""}, "NotFound", 0},
    };
    const std::uint32_t at = kAugust14At08;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::GeotagRig rig({"2003:08:14 10:00:00", "2003:08:14 10:10:00", "2003:08:14 10:20:00"},
                            {test::pointAt(at + 30, 0, 1), test::pointAt(at + c.secondPoint, 0, 2),
                             test::pointAt(at + 1210, 0, 3)});
        test::trackFile({test::pointAt(at + 620, 0, 4), test::pointAt(at + 1240, 0, 5)})
            .writeTo(rig.folder.file("u.t"));
        rig.folder.write("x.jpg.t", ""); // a name that ends like a track file, but is none
        rig.surface.setText("KameraShift", "0");
        int writes = 0;
        OneStepRuns runs(rig.context, rig.reader, rig.photos, rig.run, [&] { ++writes; });
        if (c.photoShown) rig.surface.setText("FilePath", rig.folder.file(rig.names[0]));
        EXPECT_EQ(runs.searchAllTrackFiles(), Variant(c.result));
        EXPECT_EQ(writes, c.writes);
        const std::map<std::string, std::vector<std::string>> matchOf{
            {"t.t", {"\x01"s, "\x02"s, "\x03"s}}, {"u.t", {"", "\x04"s, "\x05"s}}, {"", {"", "", ""}}};
        for (int photo = 1; photo <= 3; ++photo) {
            const char* file = c.tracks[static_cast<std::size_t>(photo - 1)];
            const std::string first = rig.run.wayPoints().slot(photo).position1.substr(0, 1);
            EXPECT_EQ(first, matchOf.at(file)[static_cast<std::size_t>(photo - 1)]) << photo;
        }
    }
}

} // namespace
} // namespace pelmark
