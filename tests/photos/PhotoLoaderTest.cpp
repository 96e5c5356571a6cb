#include "PhotoRig.h"
#include "base/Error.h"
#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace pelmark {
namespace {

using namespace fixtures;

JpegExifWriter cameraPhoto(const std::string& make) {
    JpegExifWriter writer;
    writer.main(asciiEntry(0x010F, make))
        .main(longEntry(0x8825, 0x300))
        .sub(shortEntry(0x9209, 7))
        .sub(undefinedEntry(0x927C, "NOTE"))
        .withPicture();
    return writer;
}

class PhotoLoaderTest : public ::testing::Test {
protected:
    void loadByPath(const std::string& path) {
        Variant pfad(path);
        control.LoadPictures(pfad);
    }
    const Surface& surface() { return control.surface(); }

    test::TempDir dir;
    ScriptedPlatform platform;
    VeltoraControl control{platform};
};

TEST_F(PhotoLoaderTest, ALoadNeverTakesTheFileFromAnotherOperation) {
    test::PhotoRig rig;
    std::string other = dir.write("track.t", "a track being read");
    ASSERT_TRUE(rig.file.openForReading(other));
    try {
        rig.loader.loadPictures(Variant(dir.write("good.jpg", cameraPhoto("Leo").bytes())));
        ADD_FAILURE() << "no error";
    } catch (const PelmarkError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Busy);
    }
    EXPECT_EQ(rig.file.path(), other);
}

// A path-driven load leaves the picture setting alone; the dialog opens on the last file name, a cancel
// there changes nothing, and a file chosen there turns pictures on.
TEST_F(PhotoLoaderTest, TheDialogOpensOnTheLastFileAndAChoiceTurnsPicturesOn) {
    std::string photo = dir.write("good.jpg", cameraPhoto("Leo").bytes());
    control.surface().setValue("ShowPictures", 2);
    loadByPath(photo);
    EXPECT_EQ(surface().text("Hersteller"), "Leo");
    EXPECT_FALSE(surface().get("Bild").picture.has_value());
    platform.queueFileCancel();
    Variant empty("");
    control.LoadPictures(empty);
    EXPECT_EQ(surface().text("Hersteller"), "Leo");
    EXPECT_EQ(surface().value("ShowPictures"), 2);
    auto dialogs = platform.takeDialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].filter, "Alle Dateien|*|JPG-Dateien|*.jpg|Tiff-Dateien|*.tif");
    EXPECT_EQ(dialogs[0].fileName, photo);

    platform.queueFile(photo);
    control.LoadPictures(empty);
    EXPECT_EQ(surface().value("ShowPictures"), 1);
    EXPECT_TRUE(surface().get("Bild").picture.has_value());
}

TEST_F(PhotoLoaderTest, FilesWithoutAnExifHeaderShowTheLabelAndNoField) {
    struct Case {
        const char* name;
        std::string file;
        std::string bytes;
        bool picture;
    };
    const Case cases[] = {
        {"a JFIF-first JPEG", "jfif.jpg", jfifJpeg(), true},
        {"a TIFF file", "scan.tif", tiffFile(), false},
        {"an APP1 segment that is not Exif", "xmp.jpg", JpegExifWriter().exifHeader("http:/").bytes(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loadByPath(dir.write("good.jpg", cameraPhoto("Leo").bytes()));
        ASSERT_FALSE(surface().get("NoExifAvailable").visible);
        platform.queueFile(dir.write(c.file, c.bytes));
        Variant missing = Variant::missing();
        control.LoadPictures(missing);
        EXPECT_TRUE(surface().get("NoExifAvailable").visible);
        EXPECT_EQ(surface().text("Hersteller"), "");
        EXPECT_EQ(surface().text("FlashValue"), "");
        EXPECT_EQ(surface().get("StatusBar1").panels[1].text, "");
        EXPECT_EQ(surface().get("Bild").picture.has_value(), c.picture);
    }
}

TEST_F(PhotoLoaderTest, ALoadClearsTheFieldsItOwnsAndKeepsTheOthers) {
    loadByPath(dir.write("a.jpg", cameraPhoto("Leo").bytes()));
    ASSERT_EQ(surface().text("MakerNote"), "NOTE");
    ASSERT_EQ(surface().text("GPSOffSetTxt"), "300");
    ASSERT_EQ(surface().value("StrobeReturnLight"), 1);
    loadByPath(dir.write("b.jpg", JpegExifWriter().main(asciiEntry(0x0110, "EOS")).bytes()));
    EXPECT_EQ(surface().text("Modell"), "EOS");
    EXPECT_EQ(surface().text("Hersteller"), "");
    EXPECT_EQ(surface().text("FlashValue"), "");
    EXPECT_EQ(surface().value("Flash"), 0);
    EXPECT_EQ(surface().value("StrobeReturnLight"), 0);
    EXPECT_EQ(surface().text("SubExifPosTxt"), "");
    // The maker note and the GPS position belong to the photo until another one writes them.
    EXPECT_EQ(surface().text("MakerNote"), "NOTE");
    EXPECT_EQ(surface().text("GPSOffSetTxt"), "300");
}

TEST_F(PhotoLoaderTest, ThePictureIsShownForJpegFilesWhilePicturesAreOn) {
    struct Case {
        const char* name;
        std::string file;
        std::string bytes;
        int showPictures;
        bool shown;
    };
    const Case cases[] = {
        {"a .jpg with pictures on", "a.jpg", cameraPhoto("Leo").bytes(), 1, true},
        {"the extension in any case", "b.JpG", cameraPhoto("Leo").bytes(), 1, true},
        {"pictures off", "c.jpg", cameraPhoto("Leo").bytes(), 0, false},
        {"pictures grayed", "d.jpg", cameraPhoto("Leo").bytes(), 2, false},
        {"a .tif is never shown", "e.tif", tiffFile(), 1, false},
        {"a .jpeg is not a .jpg", "f.jpeg", cameraPhoto("Leo").bytes(), 1, false},
        {"a .jpg that holds no picture", "g.jpg", JpegExifWriter().main(asciiEntry(0x010F, "Leo")).bytes(), 1,
         false},
    };
    control.surface().setEnabled("PictureCount", false); // single-photo mode
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        control.surface().setValue("ShowPictures", 1);
        loadByPath(dir.write("shown.jpg", cameraPhoto("Leo").bytes()));
        ASSERT_TRUE(surface().get("Bild").picture.has_value());
        control.surface().setValue("ShowPictures", c.showPictures);
        loadByPath(dir.write(c.file, c.bytes));
        EXPECT_EQ(surface().get("Bild").picture.has_value(), c.shown);
        EXPECT_EQ(control.PhotoCount(), Variant(c.shown ? 1 : 0));
    }
}

TEST_F(PhotoLoaderTest, ALoadStartedWhileAnotherYieldsTakesOver) {
    JpegExifWriter first;
    first.main(asciiEntry(0x010F, "First"))
        .main(asciiEntry(0x0110, "First model"))
        .main(asciiEntry(0x0131, "First software"));
    std::string second = dir.write("second.jpg", JpegExifWriter().main(asciiEntry(0x010F, "Second")).bytes());
    platform.atYield(1, [&] { loadByPath(second); });
    loadByPath(dir.write("first.jpg", first.bytes()));
    EXPECT_EQ(surface().text("Hersteller"), "Second");
    EXPECT_EQ(surface().text("Modell"), "");
    EXPECT_EQ(surface().text("SoftWareVersion"), "");
    EXPECT_EQ(surface().get("StatusBar1").panels[0].text, " 1 von ");
}

TEST_F(PhotoLoaderTest, FileExistAnswersForPlainFilesOnly) {
    struct Case {
        const char* name;
        Variant fileName;
        bool expected;
    };
    std::filesystem::create_directory(dir.path() / "album.jpg");
    std::filesystem::create_symlink(dir.write("target.jpg", "x"), dir.path() / "link.jpg");
    const Case cases[] = {
        {"a plain file", Variant(dir.write("a.jpg", "x")), true},
        {"a hidden plain file", Variant(dir.write(".hidden", "x")), true},
        {"a link to a plain file", Variant(dir.file("link.jpg")), true},
        {"a folder", Variant(dir.file("album.jpg")), false},
        {"a missing file", Variant(dir.file("gone.jpg")), false},
        {"a wildcard is no lookup", Variant(dir.file("*.jpg")), false},
        {"the empty name", Variant(""), false},
        {"no text at all", Variant(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Variant name = c.fileName;
        EXPECT_EQ(control.FileExist(name), c.expected);
    }
}

} // namespace
} // namespace pelmark
