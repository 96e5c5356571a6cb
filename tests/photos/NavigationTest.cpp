#include "base/Error.h"
#include "photos/NavigationTestPhotos.h"
#include "photos/PhotoQueries.h"
#include "photos/PhotoRig.h"

#include <deque>
#include <gtest/gtest.h>

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
        const char *name, *typed; // typed nullptr: the spin control is stepped to `stepped`
        int photo; // what the field reads afterwards; 0: the file dialog came up (and was cancelled)
        int stepped = 0;
    };
    // 12 photos, photo 5 current. The chain could load twice where the field is corrected (once for
    // the text typed, once for the corrected text); it loads once.
    const Case cases[] = {
        {"above the count", "30", 12},
        {"a half rounds to even, down", "2.5", 2},
        {"a half rounds to even, up", "3.5", 4},
        {"leading blanks and trailing letters", "  9 photos", 9},
        {"cleared", "", 0},
        {"a step past the last", nullptr, 12, 13},
        {"a step below the first stops there: no dialog", nullptr, 1, -1},
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

// Opening a second folder, stopped at each of its yields in turn and at last let run: the control shows
// one folder whole (the earlier one while the scan runs, the new one once its photo loads), even when the
// new photo has the number shown before, and the next step works on what is shown.
TEST(Navigation, OpeningAFolderShowsOneFolderWholeWhereverItIsStopped) {
    test::TempDir second;
    for (const char* name : {"c.jpg", "d.jpg", "a.jpg", "b.jpg", "notes.txt"})
        second.write(name, fixtures::JpegExifWriter().main(fixtures::asciiEntry(0x010F, name)).bytes());
    // The photo shown before has the number the new folder selects: photo 4 (d.jpg), and photo 1 (a.jpg).
    for (const auto& [start, picked] : {std::pair{4, "d.jpg"}, std::pair{1, "a.jpg"}})
        for (int stopAt = 1;; ++stopAt) {
            SCOPED_TRACE(std::string(picked) + " stopped at " + std::to_string(stopAt));
            ScriptedPlatform platform;
            NavigationTestPhotos photos(platform, 12);
            photos.startOn(start);
            VeltoraControl& control = photos.control;
            bool stopped = false;
            platform.atYield(stopAt, [&] {
                stopped = true;
                control.surface().userClick("StopBtn");
            });
            Variant path(second.file(picked));
            control.OpenFolder(path);

            const bool scanned = control.surface().text("PictureCount") == "4";
            const std::string shown = control.surface().text("FilePath");
            const int number = photos.spin();
            EXPECT_EQ(control.PhotoCount(), Variant(scanned ? 4 : 12));
            EXPECT_EQ(control.surface().get("UpDown1").max, scanned ? 4 : 12);
            EXPECT_EQ(number, start);
            EXPECT_EQ(shown, scanned ? second.file(picked) : photos.path(start));
            Variant numberThree(3);
            EXPECT_EQ(control.PhotoPath(numberThree),
                      Variant(scanned ? second.file("c.jpg") : photos.path(3)));
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

TEST(PhotoQueries, FileNamePartIsWhatFollowsTheLastSeparatorAfterTheFirstCharacter) {
    struct Case {
        const char *name, *path;
        Variant expected;
    };
    const Case cases[] = {
        {"full path", "/a/b/IMG_0001.JPG", Variant("IMG_0001.JPG")},
        {"separator second", "x/a.jpg", Variant("a.jpg")},
        {"ends in the separator", "/Bilder/", Variant("")},
        {"only separator is the first character", "/a.jpg", Variant()},
        {"no separator", "a.jpg", Variant()},
        {"one character", "/", Variant()},
        {"empty", "", Variant()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fileNamePart(c.path), c.expected);
    }
}

// Photo 2 was deleted after the scan: its load is tried and fails to the host, without a dialog. The
// numbers these members take are checked end to end by the members transcript.
TEST(PhotoQueries, AVanishedPhotoFailsToTheHostWithoutADialog) {
    for (auto query : {&VeltoraControl::PhotoPath, &VeltoraControl::PhotoName}) {
        ScriptedPlatform platform;
        test::NavigationTestPhotos photos(platform, 3);
        std::filesystem::remove(photos.path(2));
        Variant number(2);
        EXPECT_EQ(test::failureOf([&] { (photos.control.*query)(number); }), ErrorKind::FileNotFound);
        EXPECT_EQ(photos.newLoads(), 0);
        EXPECT_TRUE(platform.takeDialogs().empty());
    }
}

} // namespace
} // namespace pelmark
