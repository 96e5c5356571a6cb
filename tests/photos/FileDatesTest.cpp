#include "photos/FileDates.h"

#include "exif/TagQuery.h"
#include "fixtures/JpegExifWriter.h"
#include "photos/DropIntake.h"
#include "photos/PhotoRig.h"
#include "support/TempDir.h"

#include <algorithm>
#include <ctime>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmark {
namespace {

// The control's pieces that setting file dates needs, with the platform recording the times it is asked
// to set.
struct DatesBench : test::PhotoRig {
    TagQuery tags{context, exif.record, [](double) {}};
    FileDates dates{context, loader, tags};
    DropIntake drops{context, dates, loader};
};

// A universal time "YYYY-MM-DD HH:MM:SS" plus milliseconds as a file time, by the C library's calendar;
// the empty text is the zero that names no time.
FileTime fileTimeOf(const char* utc, int milliseconds = 0) {
    if (!*utc) return 0;
    std::tm parts{};
    strptime(utc, "%Y-%m-%d %H:%M:%S", &parts);
    const auto seconds = static_cast<FileTime>(timegm(&parts) + 11644473600LL);
    return seconds * FileTime{10000000} + static_cast<FileTime>(milliseconds) * FileTime{10000};
}

// Day 0 and a photo without dates name no time: the value stays as it was, zero in a new control, and a
// zero leaves the file's time alone.
TEST(FileDates, TheThreeDatesLessTwoHoursBecomeCreationAccessAndWriteTimes) {
    struct Case {
        const char* name;
        const char *original, *digitized, *modified; // empty: the photo has no such date
        const char* subSecond;                       // of the original date
        const char *creation, *access, *write;       // the times set, in UTC
        int creationMilliseconds = 0;
    };
    const char* const t = "2003:07:15 14:30:05";
    const char* const u = "2003-07-15 12:30:05";
    const Case cases[] = {
        {"each date its own time", t, "2003:07:15 14:30:06", "2003:12:24 14:30:07", "", u,
         "2003-07-15 12:30:06", "2003-12-24 12:30:07"},
        {"an early hour borrows the day and never the month", "2003:07:15 01:10:00", "2003:03:01 02:00:00",
         "2003:12:31 00:59:59", "", "2003-07-14 23:10:00", "2003-03-01 00:00:00", "2003-12-30 22:59:59"},
        {"only a modification date gives all three", "", "", t, "", u, u, u},
        {"sub-second digits count as milliseconds", t, "", t, "5", u, u, u, 5},
        {"three sub-second digits", t, t, t, "987", u, u, u, 987},
        {"the first of a month before two o'clock names day 0", "2003:08:01 01:00:00", "",
         "2003:08:01 01:00:00", "", "", "", ""},
        {"no date at all", "", "", "", "", "", "", ""},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fixtures::JpegExifWriter photo;
        if (*c.modified) photo.main(fixtures::asciiEntry(0x0132, c.modified));  // DateTime
        if (*c.original) photo.sub(fixtures::asciiEntry(0x9003, c.original));   // DateTimeOriginal
        if (*c.digitized) photo.sub(fixtures::asciiEntry(0x9004, c.digitized)); // DateTimeDigitized
        if (*c.subSecond) photo.sub(fixtures::asciiEntry(0x9291, c.subSecond)); // SubSecTimeOriginal
        photo.withSubDirectory();
        const std::string path = dir.file("photo.jpg");
        ASSERT_TRUE(photo.writeTo(path));

        DatesBench bench;
        bench.dates.datumSetzen(Variant(path));
        const auto& calls = bench.platform.fileTimes();
        ASSERT_EQ(calls.size(), 3u) << "one call per pass";
        EXPECT_EQ(calls.back().path, path);
        EXPECT_EQ(calls.back().creation, fileTimeOf(c.creation, c.creationMilliseconds));
        EXPECT_EQ(calls.back().lastAccess, fileTimeOf(c.access));
        EXPECT_EQ(calls.back().lastWrite, fileTimeOf(c.write));
    }
}

// A drop answered Yes gives times only to the very files dropped, each from its own dates: not to
// the file a cut path's tail names, not to a FIFO, and after a Stop to no further file at all.
TEST(DropIntake, SetsTimesOnlyOnTheFilesDroppedAndReadWhole) {
    test::TempDir dir;
    const std::string days[] = {"15", "16", "17"}; // of July 2003
    std::vector<std::string> photos;
    for (const std::string& day : days) {
        photos.push_back(dir.file("P" + std::to_string(photos.size() + 1) + ".jpg"));
        const auto date = fixtures::asciiEntry(0x0132, "2003:07:" + day + " 14:30:05");
        ASSERT_TRUE(fixtures::JpegExifWriter().main(date).writeTo(photos.back()));
    }
    const std::string fifo = dir.file("fifo.jpg");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // 305 bytes whose last 255 are the first photo's path, padded with separators.
    const std::string cut =
        std::string(50, 'x') + dir.folder() + std::string(249 - dir.folder().size(), '/') + "P1.jpg";
    struct Case {
        const char* name;
        std::vector<std::string> dropped;
        std::size_t stopAfter; // Stop at the first yield once this many files have their times (9: never)
        std::optional<ErrorKind> failure;
        std::size_t filesWithTimes;
    };
    const Case cases[] = {
        {"all three", photos, 9, std::nullopt, 3},
        {"a path cut to a tail naming another file", {cut}, 9, ErrorKind::FileNotFound, 0},
        {"a FIFO named like a photo, then a photo", {fifo, photos[1]}, 9, ErrorKind::FileNotFound, 1},
        {"a Stop while the second photo loads", photos, 1, std::nullopt, 1},
    };
    ::alarm(60);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DatesBench bench;
        // The previous photo's dates are in the control: a file read short must not get them.
        bench.dates.datumSetzen(Variant(photos[2]));
        const std::size_t before = bench.platform.fileTimes().size();
        for (int n = 1; n < 200; ++n)
            bench.platform.atYield(n, [&bench, &c, before] {
                if (bench.stop.requested() || bench.platform.fileTimes().size() < before + 3 * c.stopAfter)
                    return;
                bench.stop.request();
                bench.file.close();
            });
        bench.platform.queueAnswer(MessageAnswer::Yes);
        EXPECT_EQ(test::failureOf([&] { bench.drops.drop(c.dropped); }), c.failure);
        const auto& calls = bench.platform.fileTimes();
        EXPECT_EQ(calls.size(), before + 3 * c.filesWithTimes);
        // Each pass hands over all three values; the last pass's are the ones a file keeps.
        for (std::size_t i = before + 2; i < calls.size(); i += 3) {
            const auto photo = std::find(photos.begin(), photos.end(), calls[i].path) - photos.begin();
            const std::string utc = photo < 3 ? "2003-07-" + days[photo] + " 12:30:05" : "";
            EXPECT_EQ(calls[i].lastWrite, fileTimeOf(utc.c_str())) << calls[i].path;
        }
    }
    ::alarm(0);
}

} // namespace
} // namespace pelmark
