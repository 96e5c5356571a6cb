#include "sample/SampleTrip.h"

#include "control/VeltoraControl.h"
#include "geotag/ClockOffset.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "track/TrackRig.h"

#include <QCoreApplication>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace pelmark {
namespace {

std::string contentOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SampleTripTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test_console";
        static char* argv[] = {name, nullptr};
        // Picture decoders are plugins, found through the application object.
        if (QCoreApplication::instance() == nullptr) static QCoreApplication app(argc, argv);
    }
    test::TempDir dir;
};

TEST_F(SampleTripTest, SameBytesEveryTimeAndPhotosDecodeWithTheirCaptureTimes) {
    sample::writeSampleTrip(dir.file("first"));
    sample::writeSampleTrip(dir.file("second"));
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "first")) {
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(contentOf(entry.path()), contentOf(dir.path() / "second" / entry.path().filename()));
        ++files;
    }
    EXPECT_EQ(files, sample::samplePhotos().size() + 1);

    ScriptedPlatform platform;
    VeltoraControl control(platform);
    for (const auto& photo : sample::samplePhotos()) {
        SCOPED_TRACE(photo.fileName);
        std::string path = dir.file("first/" + photo.fileName);
        QImage picture(QString::fromStdString(path));
        EXPECT_EQ(picture.width(), 640);
        EXPECT_EQ(picture.height(), 480);

        Variant pfad(path), kind(0), number = Variant::missing();
        control.LoadPictures(pfad);
        EXPECT_EQ(control.TagExif(kind, number), Variant(photo.takenAt));
        EXPECT_EQ(control.surface().text("Hersteller"), "ACME Camera Works");
        EXPECT_FALSE(control.surface().get("NoExifAvailable").visible);
    }
}

TEST_F(SampleTripTest, TrackCoversThePhotosMarkedOnIt) {
    sample::writeSampleTrip(dir.folder());
    test::TrackRig rig;
    ASSERT_EQ(rig.read(dir.file(sample::kSampleTrackName)), TrackReader::kNoError);
    ASSERT_TRUE(rig.anzahl.isNumber());

    // The control's own comparison, with the offset it starts with, decides what is on the track.
    ClockOffset offset{rig.context};
    int onTrack = 0, offTrack = 0;
    for (const auto& photo : sample::samplePhotos()) {
        SCOPED_TRACE(photo.fileName);
        double nearest = 1e9;
        for (long long i = 1; i <= static_cast<long long>(rig.anzahl.asNumber()); ++i) {
            Variant exifTime(photo.takenAt), pointTime(static_cast<double>(*rig.reader.track().slot(i).time));
            nearest = std::min(nearest, offset.DiffExifTrackTime(exifTime, pointTime).asNumber());
        }
        EXPECT_EQ(nearest < 120, photo.onTrack) << "nearest point " << nearest << " s away";
        (photo.onTrack ? onTrack : offTrack) += 1;
    }
    EXPECT_GE(onTrack, 15);
    EXPECT_GE(offTrack, 2);
}

} // namespace
} // namespace pelmark
