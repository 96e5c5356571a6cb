#include "sample/SampleTrip.h"

#include "control/VeltoraControl.h"
#include "geotag/ClockOffset.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "track/TrackRig.h"

#include <QCoreApplication>
#include <QImage>
#include <algorithm>
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

// The offsets where the waypoint file's records end: after the header with the reference record, and
// after each waypoint record (whose comment length stands at its tenth byte).
std::vector<std::size_t> recordEnds(const std::string& file) {
    auto byteAt = [&file](std::size_t at) { return std::size_t{static_cast<unsigned char>(file.at(at))}; };
    std::vector<std::size_t> ends{47 + 22 + byteAt(47 + 20)};
    while (ends.back() < file.size())
        ends.push_back(ends.back() + 29 + byteAt(ends.back() + 9));
    return ends;
}

TEST_F(SampleTripTest, StopAtAnyYieldOfRunKeepsWholeRecordsAndStartsNothing) {
    sample::writeSampleTrip(dir.folder());
    const std::string track = dir.file(sample::kSampleTrackName);
    const std::string wayPoints = dir.folder() + dir.path().filename().string() + ".wp";
    auto run = [&](ScriptedPlatform& platform, VeltoraControl& control) {
        platform.queueFile(track);
        control.surface().userClick("RunAllBtn");
    };
    ScriptedPlatform first;
    VeltoraControl whole(first);
    run(first, whole);
    const std::string complete = contentOf(wayPoints);
    const std::vector<std::size_t> ends = recordEnds(complete);
    ASSERT_EQ(ends.back(), complete.size());
    ASSERT_EQ(first.takeLaunched().size(), 2u);
    ASSERT_TRUE(first.takeMessages().empty());

    for (int n = 1; n <= first.yieldCount(); ++n) {
        SCOPED_TRACE("stop at yield " + std::to_string(n));
        std::filesystem::remove(wayPoints);
        ScriptedPlatform platform;
        VeltoraControl control(platform);
        platform.atYield(n, [&] { control.surface().userClick("StopBtn"); });
        run(platform, control);
        EXPECT_TRUE(platform.takeLaunched().empty());
        if (std::filesystem::exists(wayPoints)) {
            const std::string kept = contentOf(wayPoints);
            EXPECT_EQ(complete.compare(0, kept.size(), kept), 0);
            EXPECT_NE(std::find(ends.begin(), ends.end(), kept.size()), ends.end()) << kept.size();
        }
        // Usable afterwards: the same run again gives the whole file.
        run(platform, control);
        EXPECT_EQ(contentOf(wayPoints), complete);
    }
}

} // namespace
} // namespace pelmark
