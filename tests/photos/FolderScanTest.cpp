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

TEST(FolderScanExtensions, OnlyTheLastFourCharactersCount) {
    struct Case {
        const char* name;
        bool photo;
    };
    const Case cases[] = {
        {"IMG_0001.JPG", true}, {"img_0002.jpg", true}, {"scan.TiF", true},      {"a.tif", true},
        {"photo.jpeg", false},  {"scan.tiff", false},   {"notes.txt", false},    {"jpg", false},
        {".jpg", true},         {"x.jpg.bak", false},   {"Alle Dateien", false}, {"x.jp", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(hasPhotoExtension(c.name), c.photo);
    }
}

TEST_F(FolderScanTest, ListsPhotosAndPhotoNamedFoldersInTheFileSystemsOrder) {
    for (const char* name : {"IMG_0001.JPG", "img_0002.jpg", "scan.TiF", "photo.jpeg", "scan.tiff",
                             "notes.txt", ".hidden.jpg", "zz.jpg", "a.tif", "Alle Dateien"})
        dir.write(name, photoBytes(name));
    std::filesystem::create_directory(dir.path() / "album.jpg");
    std::filesystem::create_directory(dir.path() / "other");

    // The file system decides the order; which names belong is the rule's.
    const std::set<std::string> photos = {"IMG_0001.JPG", "img_0002.jpg", "scan.TiF",
                                          "zz.jpg",       "a.tif",        "album.jpg"};
    std::vector<std::string> expected;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (photos.contains(entry.path().filename().string()))
            expected.push_back(entry.path().filename().string());

    Variant pfad = scan(dir.folder());
    EXPECT_EQ(listed(rig.loader.list()), expected);
    EXPECT_EQ(pfad, Variant(dir.folder()));
    for (int number = 1; number <= 6; ++number)
        EXPECT_EQ(rig.loader.list().path(number), dir.folder() + rig.loader.list().name(number));
    EXPECT_EQ(rig.surface.get("UpDown1").max, 6);
    EXPECT_EQ(rig.surface.text("PictureCount"), "6");
    EXPECT_EQ(rig.loader.photoCount(), Variant(6));
    EXPECT_EQ(rig.surface.value("ShowPictures"), 2);
}

TEST_F(FolderScanTest, TheChosenNameSelectsItsPhoto) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        dir.write(name, photoBytes(name));
    auto numberOf = [&](const std::string& name) {
        for (int number = 1; number <= rig.loader.list().count(); ++number)
            if (rig.loader.list().name(number) == name) return number;
        return -1;
    };
    struct Case {
        const char* name;
        std::string path;
        std::string selects; // empty: photo 1
        std::string pfad;
    };
    const Case cases[] = {
        {"the folder itself", dir.folder(), "", dir.folder()},
        {"a file of the folder", dir.folder() + "b.jpg", "b.jpg", dir.folder()},
        {"the preset name", dir.folder() + "Alle Dateien", "", dir.folder()},
        {"letter case counts", dir.folder() + "B.JPG", "", dir.folder()},
        {"a name not in the folder", dir.folder() + "zz.jpg", "", dir.folder()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rig.surface.setValue("UpDown1", 0);
        Variant pfad = scan(c.path);
        int expected = c.selects.empty() ? 1 : numberOf(c.selects);
        EXPECT_EQ(rig.surface.value("UpDown1"), expected);
        EXPECT_EQ(pfad, Variant(c.pfad));
    }
}

TEST_F(FolderScanTest, AFolderWithoutPhotosAsksForAnotherUntilOneHasPhotos) {
    test::TempDir other;
    for (const char* name : {"x.jpg", "y.jpg", "z.jpg"})
        other.write(name, photoBytes(name));
    dir.write("readme.txt", "no photo here");
    struct Case {
        const char* name;
        std::string firstPath;
        std::vector<std::optional<std::string>> answers;
        int count;
        std::string selects; // empty: photo 1
    };
    const Case cases[] = {
        {"the second folder's first photo",
         dir.folder() + "Alle Dateien",
         {other.file("Alle Dateien")},
         3,
         ""},
        {"the first chosen name found in the new folder",
         dir.folder() + "y.jpg",
         {other.file("x.jpg")},
         3,
         "y.jpg"},
        {"again empty, then photos", dir.folder(), {dir.file("readme.txt"), other.file("z.jpg")}, 3, ""},
        {"cancelled", dir.folder(), {std::nullopt}, 0, ""},
        {"a missing folder", dir.folder() + "gone/", {std::nullopt}, 0, ""},
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
        EXPECT_EQ(dialogs[0].filter, "Ordner wird von Programm ausgew\xE4hlt|*");
        EXPECT_EQ(dialogs[0].fileName, PhotoLoader::kFolderPreset);
        EXPECT_EQ(fresh.loader.list().count(), c.count);
        EXPECT_EQ(fresh.surface.get("UpDown1").max, c.count);
        EXPECT_EQ(fresh.surface.text("PictureCount"), std::to_string(c.count));
        int expected = 1;
        for (int number = 1; number <= c.count; ++number)
            if (fresh.loader.list().name(number) == c.selects) expected = number;
        if (c.count > 0) {
            EXPECT_EQ(fresh.surface.value("UpDown1"), expected);
        }
    }
}

TEST_F(FolderScanTest, ACancelledFolderDialogLeavesTheListAlone) {
    dir.write("a.jpg", photoBytes("a"));
    scan(dir.folder());
    rig.platform.queueFileCancel();
    Variant missing = Variant::missing();
    rig.loader.bildInBox(missing);
    EXPECT_EQ(rig.loader.list().count(), 1);
    EXPECT_EQ(missing, Variant(""));
}

TEST_F(FolderScanTest, TakesAtMost500Photos) {
    for (int k = 0; k < 505; ++k)
        dir.write("p" + std::to_string(k) + ".jpg", "");
    scan(dir.folder());
    EXPECT_EQ(rig.loader.list().count(), 500);
    EXPECT_EQ(rig.surface.text("PictureCount"), "500");
    EXPECT_EQ(rig.loader.list().name(501), "");
}

TEST_F(FolderScanTest, StopEndsTheScanWithoutSelectingAPhoto) {
    for (int k = 0; k < 6; ++k)
        dir.write("p" + std::to_string(k) + ".jpg", "");
    rig.platform.atYield(2, [this] { rig.stop.request(); });
    scan(dir.folder());
    EXPECT_EQ(rig.loader.list().count(), 2);
    EXPECT_EQ(rig.surface.text("PictureCount"), "0");
    EXPECT_EQ(rig.surface.get("UpDown1").max, 0);
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
}

} // namespace
} // namespace pelmark
