#include "photos/NavigationTestPhotos.h"

#include <deque>
#include <gtest/gtest.h>
#include <set>

namespace pelmark {
namespace {

using test::NavigationTestPhotos;

// A platform whose clock seeding keeps the generator's fixed seed, so a run of draws repeats; single
// draws can also be queued.
class SeededPlatform : public ScriptedPlatform {
public:
    void seedRandomFromClock() override { ++seeds; }
    double nextRandom() override {
        if (queued.empty()) return ScriptedPlatform::nextRandom();
        double r = queued.front();
        queued.pop_front();
        return r;
    }
    std::deque<double> queued;
    int seeds = 0;
};

TEST(Navigation, AnEntryOrAStepMakesOnePhotoCurrentWithOneLoad) {
    struct Case {
        const char* name;
        const char* typed; // nullptr: the spin control is stepped to `stepped`
        int photo;         // what the field reads afterwards; 0: the file dialog came up (and was cancelled)
        int stepped = 0;
    };
    // 12 photos, photo 5 current. The chain could load twice where the field is corrected (once for
    // the text typed, once for the corrected text); it loads once.
    const Case cases[] = {
        {"above the count", "30", 12},
        {"a plain number", "7", 7},
        {"a half rounds to even, down", "2.5", 2},
        {"a half rounds to even, up", "3.5", 4},
        {"half above the count", "12.5", 12},
        {"leading blanks and trailing letters", "  9 photos", 9},
        {"cleared", "", 0},
        {"letters only", "abc", 0},
        {"zero", "0", 0},
        {"negative", "-3", 0},
        {"negative half", "-0.5", 0},
        {"far below", "-1e300", 0},
        {"a step up", nullptr, 6, 6},
        {"a step past the last", nullptr, 12, 13},
        {"a step to the first", nullptr, 1, 1},
        {"a step below zero", nullptr, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPlatform platform;
        NavigationTestPhotos photos(platform, 12);
        photos.startOn(5);

        if (c.typed)
            photos.control.surface().userSetText("ActPictNum", c.typed);
        else
            photos.control.surface().userSetValue("UpDown1", c.stepped);
        EXPECT_EQ(photos.field(), std::to_string(c.photo));
        EXPECT_EQ(photos.spin(), c.photo);
        int shown = c.photo == 0 ? 5 : c.photo; // a cancelled dialog changes nothing
        EXPECT_EQ(photos.filePath(), photos.path(shown));
        EXPECT_EQ(photos.control.surface().text("Hersteller"), photos.makerOf(shown));
        EXPECT_EQ(photos.newLoads(), c.photo == 0 ? 0 : 1);
        EXPECT_EQ(platform.takeDialogs().size(), c.photo == 0 ? 1u : 0u);
    }
}

TEST(Navigation, BeforeAnyFolderEveryNumberLeadsToTheFileDialog) {
    struct Case {
        const char* name;
        void (*act)(Surface&);
        std::size_t dialogs;
        const char* field;
    };
    const Case cases[] = {
        {"typing a number", [](Surface& s) { s.userSetText("ActPictNum", "7"); }, 1, "0"},
        // Letters read as 0, which the spin control already holds, so the field is left as typed.
        {"typing letters", [](Surface& s) { s.userSetText("ActPictNum", "x"); }, 1, "x"},
        {"the random button", [](Surface& s) { s.userClick("RandomChoose"); }, 1, "0"},
        // The spin control's range is 0 to 0: a step has nowhere to go and changes nothing.
        {"stepping the spin control", [](Surface& s) { s.userSetValue("UpDown1", 1); }, 0, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPlatform platform;
        NavigationTestPhotos photos(platform, 0);
        c.act(photos.control.surface());
        EXPECT_EQ(platform.takeDialogs().size(), c.dialogs);
        EXPECT_EQ(photos.field(), c.field);
    }
}

TEST(Navigation, AFolderScanEndingWithNoPhotoLeavesPhotoZero) {
    ScriptedPlatform platform;
    NavigationTestPhotos photos(platform, 3);
    photos.startOn(2);
    test::TempDir empty;
    Variant path(empty.folder());
    photos.control.OpenFolder(path); // the folder dialog that follows is cancelled

    // The scan asks for number 1 of none: the spin control keeps to its range 0..0, and photo 0 is the
    // file dialog, as typing 0 would be.
    EXPECT_EQ(photos.control.surface().get("UpDown1").max, 0);
    EXPECT_EQ(photos.spin(), 0);
    EXPECT_EQ(photos.field(), "0");
    auto dialogs = platform.takeDialogs();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].filter, "Alle Dateien|*|JPG-Dateien|*.jpg|Tiff-Dateien|*.tif");
    EXPECT_EQ(photos.newLoads(), 0);
}

// Opening a second folder, stopped at each of its yields in turn and at last let run: the control shows
// one folder whole (the earlier one while the scan runs, the new one once its photo loads), even when the
// new photo has the number shown before, and the next step works on what is shown.
TEST(Navigation, OpeningAFolderShowsOneFolderWholeWhereverItIsStopped) {
    test::TempDir second;
    for (const char* name : {"c.jpg", "d.jpg", "a.jpg", "b.jpg", "notes.txt"})
        second.write(name, fixtures::JpegExifWriter().main(fixtures::asciiEntry(0x010F, name)).bytes());
    for (int stopAt = 1;; ++stopAt) {
        SCOPED_TRACE(stopAt);
        ScriptedPlatform platform;
        NavigationTestPhotos photos(platform, 12);
        photos.startOn(4);
        VeltoraControl& control = photos.control;
        bool stopped = false;
        platform.atYield(stopAt, [&] {
            stopped = true;
            control.surface().userClick("StopBtn");
        });
        Variant path(second.file("d.jpg"));
        control.OpenFolder(path);

        const bool scanned = control.surface().text("PictureCount") == "4";
        const std::string shown = control.surface().text("FilePath");
        const int number = photos.spin();
        EXPECT_EQ(control.PhotoCount(), Variant(scanned ? 4 : 12));
        EXPECT_EQ(control.surface().get("UpDown1").max, scanned ? 4 : 12);
        EXPECT_EQ(number, 4);
        EXPECT_EQ(shown, scanned ? second.file("d.jpg") : photos.path(4));
        Variant numberThree(3);
        EXPECT_EQ(control.PhotoPath(numberThree), Variant(scanned ? second.file("c.jpg") : photos.path(3)));
        EXPECT_EQ(control.surface().text("Hersteller"), scanned ? "c.jpg" : photos.makerOf(3));
        if (!stopped) break;
    }
}

TEST(Navigation, RandomDrawIsTheFloorOfRTimesTheCountPlusOne) {
    struct Case {
        const char* name;
        int count;
        double r;
        const char* field;
    };
    const Case cases[] = {
        {"zero draws the first", 10, 0.0, "1"},
        {"just below a tenth", 10, 0.0999, "1"},
        {"a tenth draws the second", 10, 0.1, "2"},
        {"just below one draws the last", 10, 0.999999999, "10"},
        {"a stray one stays on the last", 10, 1.0, "10"},
        {"a stray negative stays on the first", 10, -0.5, "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SeededPlatform platform;
        NavigationTestPhotos photos(platform, c.count);
        photos.startOn(0); // away from every photo

        platform.queued.push_back(c.r);
        photos.control.surface().userClick("RandomChoose");
        EXPECT_EQ(photos.field(), c.field);
        EXPECT_EQ(photos.filePath(), photos.path(std::stoi(c.field)));
        EXPECT_EQ(photos.newLoads(), 1);
        EXPECT_EQ(platform.seeds, 1) << "every click seeds from the clock first";
    }
}

TEST(Navigation, RandomReachesEveryPhotoAndNothingElse) {
    for (int count : {1, 10}) {
        SCOPED_TRACE(count);
        SeededPlatform platform;
        NavigationTestPhotos photos(platform, count);
        std::set<std::string> seen, all;
        for (int k = 1; k <= count; ++k)
            all.insert(std::to_string(k));
        for (int click = 0; click < 400; ++click) {
            photos.control.surface().userClick("RandomChoose");
            seen.insert(photos.field());
        }
        EXPECT_EQ(seen, all);
        EXPECT_TRUE(platform.takeDialogs().empty());
        // With one photo, photo 1 was current all along: drawing it again loads nothing.
        EXPECT_EQ(photos.newLoads() == 0, count == 1);
    }
}

} // namespace
} // namespace pelmark
