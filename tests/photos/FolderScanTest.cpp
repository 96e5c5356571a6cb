#include "PhotoRig.h"
#include "fixtures/JpegExifWriter.h"
#include "geotag/OneStepRuns.h"
#include "support/TempDir.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>
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

// The locales whose letter case differs from plain ASCII's in ways that once changed the control's
// name order and file kinds: Latin-1 upper-cases "\xE4" to "\xC4", Turkish "i" to a dotted capital.
const char* const kCaseLocales[] = {"C", "de_DE.ISO-8859-1", "tr_TR.ISO-8859-9"};

// Makes `name` (one of kCaseLocales) the C library's character-type locale. Machines seldom have these
// installed, so they are built with localedef into a folder of their own the first time.
bool useCharacterLocale(const std::string& name) {
    if (name != "C") {
        const auto folder = std::filesystem::temp_directory_path() / "pelmark-test-locales";
        const auto dot = name.find('.');
        // Built aside and moved, as test programs running side by side may build it at once.
        const std::string target = (folder / name).string(),
                          aside = target + "." + std::to_string(::getpid());
        const std::string command = "test -d " + target + " || { mkdir -p " + folder.string() +
                                    " && localedef -c -i " + name.substr(0, dot) + " -f " +
                                    name.substr(dot + 1) + " " + aside + "; mv -T " + aside + " " + target +
                                    " || rm -rf " + aside + "; } >/dev/null 2>&1";
        if (std::system(command.c_str()) < 0) return false;
        ::setenv("LOCPATH", folder.c_str(), 1);
    }
    return std::setlocale(LC_CTYPE, name.c_str()) != nullptr;
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

// Only the last four characters of a name count, in any letter case (a-z only, whatever the locale);
// hidden entries are skipped. Photos are numbered in name order: byte by byte after a-z -> A-Z (so "_"
// follows the letters), then raw bytes.
TEST_F(FolderScanTest, ListsPhotosAndPhotoNamedFoldersInNameOrder) {
    for (const char* name :
         {"IMG_0001.JPG", "img_0002.jpg", "scan.TiF", "photo.jpeg",   "scan.tiff", "notes.txt",
          ".hidden.jpg",  "zz.jpg",       "a.tif",    "Alle Dateien", "jpg",       "x.jpg.bak",
          "x.jp",         "x.jpg",        "x.JPG",    "_x.jpg",       "\xE9.jpg",  "ZZ.JPG.jpg",
          "\xE4.t",       "\xD0.t",       "i.tb",     "J.T"})
        dir.write(name, photoBytes(name));
    std::filesystem::create_directory(dir.path() / "album.jpg");
    std::filesystem::create_directory(dir.path() / "other");
    const std::vector<std::string> expected = {"a.tif",      "album.jpg", "IMG_0001.JPG", "img_0002.jpg",
                                               "scan.TiF",   "x.JPG",     "x.jpg",        "zz.jpg",
                                               "ZZ.JPG.jpg", "_x.jpg",    "\xE9.jpg"};

    // The same whatever the user's locale says about letter case.
    for (const char* locale : kCaseLocales) {
        SCOPED_TRACE(locale);
        ASSERT_TRUE(useCharacterLocale(locale));
        scan(dir.folder());
        EXPECT_EQ(listed(rig.loader.list()), expected);
        // The track search lists in the same order.
        EXPECT_EQ(trackFileNames(dir.folder()),
                  (std::vector<std::string>{"i.tb", "J.T", "\xD0.t", "\xE4.t"}));
    }
    ASSERT_TRUE(useCharacterLocale("C"));
    scan(dir.folder());
    for (int number = 1; number <= 11; ++number)
        EXPECT_EQ(rig.loader.list().path(number), dir.folder() + rig.loader.list().name(number));
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
}

} // namespace
} // namespace pelmark
