#include "PhotoRig.h"
#include "base/Error.h"
#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "fixtures/TrackFileWriter.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

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
    std::string photo = dir.write("good.jpg", cameraPhoto("Leo").bytes());
    EXPECT_EQ(test::failureOf([&] { rig.loader.loadPictures(Variant(photo)); }), ErrorKind::Busy);
    EXPECT_EQ(rig.file.path(), other);

    // Nor does a track load take the file from a photo load that yields: the photo would be reported
    // read with half its fields.
    control.surface().setText("PathTxt", dir.write("t.t", TrackFileWriter().points(3, 0, 60).bytes()));
    platform.atYield(1, [&] { control.surface().userClick("LoadTrack"); });
    loadByPath(dir.write("three.jpg", JpegExifWriter()
                                          .main(asciiEntry(0x010F, "Leo"))
                                          .main(asciiEntry(0x0110, "M"))
                                          .main(asciiEntry(0x0131, "1.0"))
                                          .bytes()));
    EXPECT_EQ(surface().text("SoftWareVersion"), "1.0");
    EXPECT_TRUE(control.Anzahl().isEmpty());
}

TEST_F(PhotoLoaderTest, ALoadClearsTheFieldsItOwnsAndKeepsTheOthers) {
    loadByPath(dir.write("a.jpg", cameraPhoto("Leo").bytes()));
    ASSERT_EQ(surface().text("MakerNote"), "NOTE");
    ASSERT_EQ(surface().text("GPSOffSetTxt"), "300");
    ASSERT_EQ(surface().value("StrobeReturnLight"), 1);
    loadByPath(dir.write("b.jpg", JpegExifWriter().main(asciiEntry(0x0110, "EOS")).bytes()));
    EXPECT_EQ(surface().text("Modell"), "EOS");
    EXPECT_EQ(surface().text("FlashValue"), "");
    EXPECT_EQ(surface().value("StrobeReturnLight"), 0);
    EXPECT_EQ(surface().text("SubExifPosTxt"), "");
    // The maker note and the GPS position belong to the photo until another one writes them.
    EXPECT_EQ(surface().text("MakerNote"), "NOTE");
    EXPECT_EQ(surface().text("GPSOffSetTxt"), "300");
}

// A file without an Exif header shows the label and no field; its picture is still shown when it has one.
TEST_F(PhotoLoaderTest, ThePictureIsShownForJpegFilesWhilePicturesAreOn) {
    struct Case {
        const char* name;
        std::string file, bytes;
        int showPictures;
        bool shown;
        bool noExif = false;
    };
    const std::string leo = cameraPhoto("Leo").bytes();
    const Case cases[] = {
        {"the extension in any case", "b.JpG", leo, 1, true},
        {"pictures off", "c.jpg", leo, 0, false},
        {"a .jpeg is not a .jpg", "f.jpeg", leo, 1, false},
        {"a .jpg, no picture", "g.jpg", JpegExifWriter().main(asciiEntry(0x010F, "Leo")).bytes(), 1, false},
        {"a TIFF is never shown", "e.tif", tiffFile(), 1, false, true},
        {"a JFIF-first JPEG", "h.jpg", jfifJpeg(), 1, true, true},
        {"an APP1 not Exif", "i.jpg", JpegExifWriter().exifHeader("http:/").bytes(), 1, false, true},
    };
    control.surface().setEnabled("PictureCount", false); // single-photo mode
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        control.surface().setValue("ShowPictures", 1);
        loadByPath(dir.write("shown.jpg", leo));
        ASSERT_TRUE(surface().get("Bild").picture.has_value());
        ASSERT_FALSE(surface().get("NoExifAvailable").visible);
        control.surface().setValue("ShowPictures", c.showPictures);
        loadByPath(dir.write(c.file, c.bytes));
        EXPECT_EQ(surface().get("Bild").picture.has_value(), c.shown);
        EXPECT_EQ(control.PhotoCount(), Variant(c.shown ? 1 : 0));
        EXPECT_EQ(surface().get("NoExifAvailable").visible, c.noExif);
        EXPECT_EQ(surface().text("Hersteller"), c.noExif ? "" : "Leo");
        EXPECT_EQ(surface().get("StatusBar1").panels[1].text.empty(), c.noExif);
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

// The same failure ends silently when the user started the load through the dialog, and reaches a host
// that gave the path: a folder whose one "photo" is a folder.
TEST_F(PhotoLoaderTest, AFailureThroughTheDialogEndsSilently) {
    std::filesystem::create_directory(dir.file("a.jpg"));
    platform.queueFile(dir.file("a.jpg"));
    EXPECT_NO_THROW(control.surface().userClick("PictureLoadBtn"));
    EXPECT_EQ(surface().text("PictureCount"), "1");
    Variant path(dir.file("a.jpg"));
    EXPECT_EQ(test::failureOf([&] { control.OpenFolder(path); }), ErrorKind::FileRead);
}

} // namespace
} // namespace pelmark
