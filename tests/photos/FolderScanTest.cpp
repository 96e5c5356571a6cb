#include "PhotoRig.h"
#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace pelmark {
namespace {

using namespace fixtures;

std::string photoBytes(const std::string& make) {
    return JpegExifWriter().main(asciiEntry(0x010F, make)).bytes();
}

std::vector<std::string> listed(const PhotoList& list) {
    std::vector<std::string> names;
    for (int number = 1; number <= list.count(); ++number)
        names.push_back(list.name(number));
    return names;
}

// Scans by path on the loader alone: the navigation that would load the selected photo is not wired,
// so what a test sees is the scan's own work.
class FolderScanTest : public ::testing::Test {
protected:
    Variant scan(const std::string& path) {
        Variant pfad(path);
        rig.loader.openFolder(pfad);
        return pfad;
    }
    test::TempDir dir;
    test::PhotoRig rig;
};

// Only the last four characters of a name count, in any letter case; hidden entries are skipped. Photos
// are numbered in name order: byte by byte after a-z -> A-Z (so "_" follows the letters), then raw bytes.
TEST_F(FolderScanTest, ListsPhotosAndPhotoNamedFoldersInNameOrder) {
    for (const char* name : {"IMG_0001.JPG", "img_0002.jpg", "scan.TiF", "photo.jpeg", "scan.tiff",
                             "notes.txt", ".hidden.jpg", "zz.jpg", "a.tif", "Alle Dateien", "jpg",
                             "x.jpg.bak", "x.jp", "x.jpg", "x.JPG", "_x.jpg", "\xE9.jpg", "ZZ.JPG.jpg"})
        dir.write(name, photoBytes(name));
    std::filesystem::create_directory(dir.path() / "album.jpg");
    std::filesystem::create_directory(dir.path() / "other");
    const std::vector<std::string> expected = {"a.tif",      "album.jpg", "IMG_0001.JPG", "img_0002.jpg",
                                               "scan.TiF",   "x.JPG",     "x.jpg",        "zz.jpg",
                                               "ZZ.JPG.jpg", "_x.jpg",    "\xE9.jpg"};

    Variant pfad = scan(dir.folder());
    EXPECT_EQ(listed(rig.loader.list()), expected);
    EXPECT_EQ(pfad, Variant(dir.folder()));
    for (int number = 1; number <= 11; ++number)
        EXPECT_EQ(rig.loader.list().path(number), dir.folder() + rig.loader.list().name(number));
    EXPECT_EQ(rig.surface.get("UpDown1").max, 11);
    EXPECT_EQ(rig.surface.text("PictureCount"), "11");
    EXPECT_EQ(rig.loader.photoCount(), Variant(11));
    EXPECT_EQ(rig.surface.value("ShowPictures"), 2);
    // The system would read the name only up to its NUL, this very folder: it names none.
    scan(dir.folder().substr(0, dir.folder().size() - 1) + std::string("\0/", 2));
    EXPECT_EQ(rig.loader.list().count(), 0);
}

// The chosen name selects its photo; a folder without photos brings up the folder dialog until one has
// photos, and the first chosen name is looked for there.
TEST_F(FolderScanTest, TheChosenNameSelectsItsPhotoInTheFolderThatHasPhotos) {
    for (const char* name : {"x.jpg", "y.jpg", "z.jpg"})
        dir.write(name, photoBytes(name));
    test::TempDir empty;
    empty.write("readme.txt", "no photo here");
    struct Case {
        const char* name;
        std::string firstPath;
        std::vector<std::optional<std::string>> answers; // nullopt: cancel
        int count;
        std::string selects; // empty: photo 1
    };
    const Case cases[] = {
        {"the folder itself", dir.folder(), {}, 3, ""},
        {"a file of the folder", dir.file("y.jpg"), {}, 3, "y.jpg"},
        {"the preset name", dir.file("Alle Dateien"), {}, 3, ""},
        {"letter case counts", dir.file("Y.JPG"), {}, 3, ""},
        {"a name not in the folder", dir.file("zz.jpg"), {}, 3, ""},
        {"the second folder's first photo", empty.file("Alle Dateien"), {dir.file("Alle Dateien")}, 3, ""},
        {"the first name found in the new folder", empty.file("y.jpg"), {dir.file("x.jpg")}, 3, "y.jpg"},
        {"again empty, then photos", empty.folder(), {empty.file("readme.txt"), dir.file("z.jpg")}, 3, ""},
        {"cancelled", empty.folder(), {std::nullopt}, 0, ""},
        {"a missing folder", empty.folder() + "gone/", {std::nullopt}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::PhotoRig fresh;
        for (const auto& answer : c.answers) {
            if (answer)
                fresh.platform.queueFile(*answer);
            else
                fresh.platform.queueFileCancel();
        }
        Variant pfad(c.firstPath);
        fresh.loader.openFolder(pfad);
        auto dialogs = fresh.platform.takeDialogs();
        ASSERT_EQ(dialogs.size(), c.answers.size());
        for (const auto& dialog : dialogs) {
            EXPECT_EQ(dialog.filter, "Ordner wird von Programm ausgew\xE4hlt|*");
            EXPECT_EQ(dialog.fileName, "G:/DATEN/BILDER/Olympus/Test/Alle Dateien");
        }
        EXPECT_EQ(fresh.loader.list().count(), c.count);
        EXPECT_EQ(fresh.surface.get("UpDown1").max, c.count);
        EXPECT_EQ(fresh.surface.text("PictureCount"), std::to_string(c.count));
        if (c.count == 0) continue;
        int expected = 1;
        for (int number = 1; number <= c.count; ++number)
            if (fresh.loader.list().name(number) == c.selects) expected = number;
        EXPECT_EQ(fresh.surface.value("UpDown1"), expected);
        if (c.answers.empty()) {
            EXPECT_EQ(pfad, Variant(dir.folder()));
        }
    }
}

TEST_F(FolderScanTest, TakesAtMost500Photos) {
    for (int k = 0; k < 505; ++k)
        dir.write("p" + std::to_string(k) + ".jpg", "");
    scan(dir.folder());
    EXPECT_EQ(rig.loader.list().count(), 500);
    EXPECT_EQ(rig.surface.text("PictureCount"), "500");
    EXPECT_EQ(rig.loader.list().name(501), "");
}

TEST_F(FolderScanTest, AShorterScanKeepsTheOlderEntriesBeyondItsCount) {
    test::TempDir small;
    for (const char* name : {"a.jpg", "b.jpg"})
        dir.write(name, "");
    small.write("only.jpg", "");
    scan(dir.folder());
    std::string second = rig.loader.list().path(2);
    scan(small.folder());
    EXPECT_EQ(rig.loader.list().count(), 1);
    EXPECT_EQ(rig.loader.list().path(1), small.folder() + "only.jpg");
    EXPECT_EQ(rig.loader.list().path(2), second);
    EXPECT_EQ(rig.loader.list().path(0), "");
}

// Through the whole control: the button asks for a folder, and the scan's photo number loads that photo.
TEST(FolderScanInTheControl, TheLoadPicturesButtonScansAndShowsTheChosenPhoto) {
    test::TempDir dir;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        dir.write(name, photoBytes(std::string("maker of ") + name));
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    platform.queueFile(dir.file("b.jpg"));
    control.surface().userClick("PictureLoadBtn");
    const Surface& surface = control.surface();
    EXPECT_EQ(control.PhotoCount(), Variant(3));
    EXPECT_EQ(surface.text("Hersteller"), "maker of b.jpg");
    EXPECT_EQ(surface.text("FilePath"), dir.file("b.jpg"));
    EXPECT_EQ(surface.text("ActPictNum"), std::to_string(surface.value("UpDown1")));

    Variant folder = Variant::missing();
    platform.queueFile(dir.file("Alle Dateien"));
    control.BildInBox(folder);
    EXPECT_EQ(folder, Variant(dir.folder()));

    // A cancelled folder dialog leaves the list alone and answers the empty text.
    folder = Variant::missing();
    platform.queueFileCancel();
    control.BildInBox(folder);
    EXPECT_EQ(control.PhotoCount(), Variant(3));
    EXPECT_EQ(folder, Variant(""));
}

} // namespace
} // namespace pelmark
