#include "sample/SampleTrip.h"

#include "control/VeltoraControl.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace pelmark {
namespace {

using test::contentOf;

// The photos' capture times are read back below, their pictures by the loading transcript.
TEST(SampleTrip, SameBytesEveryTime) {
    test::TempDir dir;
    sample::writeSampleTrip(dir.file("first"));
    sample::writeSampleTrip(dir.file("second"));
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "first")) {
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(contentOf(entry.path()), contentOf(dir.path() / "second" / entry.path().filename()));
        ++files;
    }
    EXPECT_EQ(files, sample::samplePhotos().size() + 1);
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

TEST(SampleTrip, StopAtAnyYieldOfRunKeepsWholeRecordsAndStartsNothing) {
    test::TempDir dir;
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
    // The run, with the offset the control starts with, matches exactly the photos the sample marks as
    // on its track (photo numbers follow the writing order), and the sample has both kinds; each photo
    // answers the capture time it was written with.
    const auto photos = sample::samplePhotos();
    const int yields = first.yieldCount(); // of the run: the queries below yield too
    int matched = 0;
    for (std::size_t k = 0; k < photos.size(); ++k) {
        Variant kind(0), number(static_cast<int>(k) + 1);
        EXPECT_EQ(whole.wayPoints().matched(static_cast<int>(k) + 1), photos[k].onTrack)
            << photos[k].fileName;
        EXPECT_EQ(whole.TagExif(kind, number), Variant(photos[k].takenAt)) << photos[k].fileName;
        matched += photos[k].onTrack;
    }
    EXPECT_GE(matched, 15);
    EXPECT_LE(matched, static_cast<int>(photos.size()) - 2);

    for (int n = 1; n <= yields; ++n) {
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
