#include "platform/QtPlatform.h"

#include "fixtures/JpegExifWriter.h"
#include "platform/PictureLoader.h"
#include "support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

namespace pelmark::test {
namespace {

TEST(QtPlatform, DialogFiltersBecomeQtNameFilters) {
    struct Case {
        const char* name;
        const char* filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"one pair", "Bilder|*.jpg", {"Bilder (*.jpg)"}},
        {"patterns split at semicolons", "Tracks|*.t;*.tb", {"Tracks (*.t *.tb)"}},
        {"two pairs", "JPEG|*.jpg|Alle|*.*", {"JPEG (*.jpg)", "Alle (*.*)"}},
        {"label without a pattern is dropped", "JPEG|*.jpg|Rest", {"JPEG (*.jpg)"}},
        {"empty pattern is dropped", "Leer||Alle|*.*", {"Alle (*.*)"}},
        {"empty filter", "", {}},
        {"umlaut in a label", "Bilder \xFC|*.jpg", {QString::fromUtf8("Bilder ü (*.jpg)")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(qtNameFilters(c.filter), c.expected);
    }
}

TEST(QtPlatform, PicturesAreDecodedAtTheSizeOfTheirBox) {
    TempDir dir;
    const std::string photo = fixtures::JpegExifWriter().withPicture().bytes();
    QImage large(640, 480, QImage::Format_RGB32);
    large.fill(Qt::darkGreen);
    const std::string largePath = dir.file("large.jpg");
    ASSERT_TRUE(large.save(QString::fromStdString(largePath), "JPG"));

    struct Case {
        const char* name;
        std::string path;
        int width, height;
        std::optional<QSize> expected;
    };
    const Case cases[] = {
        {"tiny photo stretched to the box", dir.write("tiny.jpg", photo), 40, 30, QSize(40, 30)},
        {"large photo shrunk to the box", largePath, 64, 48, QSize(64, 48)},
        {"box without size still gets a pixel", largePath, 0, 0, QSize(1, 1)},
        {"missing file", dir.file("none.jpg"), 40, 30, std::nullopt},
        {"not a picture", dir.write("text.jpg", "hello"), 40, 30, std::nullopt},
        {"cut short after the EXIF segment", dir.write("cut.jpg", photo.substr(0, photo.size() / 3)), 40, 30,
         std::nullopt},
        {"empty file", dir.write("empty.jpg", ""), 40, 30, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto picture = loadPictureScaled(c.path, c.width, c.height);
        ASSERT_EQ(picture.has_value(), c.expected.has_value());
        if (!picture) continue;
        const QImage* image = pictureImage(*picture);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->size(), *c.expected);
        EXPECT_EQ(QSize(picture->width, picture->height), *c.expected);
    }
}

TEST(QtPlatform, APictureBoxInTwipsIsMeasuredAtTheScreensResolution) {
    TempDir dir;
    const std::string path = dir.write("tiny.jpg", fixtures::JpegExifWriter().withPicture().bytes());
    auto at96 = loadPictureForBox(path, 5610, 4208, 96.0);
    auto at144 = loadPictureForBox(path, 5610, 4208, 144.0);
    ASSERT_TRUE(at96 && at144);
    EXPECT_EQ(QSize(at96->width, at96->height), QSize(374, 281));
    EXPECT_EQ(QSize(at144->width, at144->height), QSize(561, 421));
}

} // namespace
} // namespace pelmark::test
