#include "PhotoRig.h"
#include "fixtures/JpegExifWriter.h"
#include "support/Locales.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
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

    // The same whatever the user's locale says about letter case.
    for (const char* locale : test::kCaseLocales) {
        SCOPED_TRACE(locale);
        ASSERT_TRUE(test::useCharacterLocale(locale));
        scan(dir.folder());
        EXPECT_EQ(listed(rig.loader.list()), expected);
    }
    ASSERT_TRUE(test::useCharacterLocale("C"));
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

TEST_F(FolderScanTest, TakesAtMost500Photos) {
    for (int k = 0; k < 505; ++k)
        dir.write("p" + std::to_string(k) + ".jpg", "");
    scan(dir.folder());
    EXPECT_EQ(rig.loader.list().count(), 500);
    EXPECT_EQ(rig.surface.text("PictureCount"), "500");
    EXPECT_EQ(rig.loader.list().name(501), "");
}

} // namespace
} // namespace pelmark
