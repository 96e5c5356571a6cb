#include "photos/FileDates.h"

#include "exif/TagQuery.h"
#include "fixtures/JpegExifWriter.h"
#include "photos/DropIntake.h"
#include "photos/PhotoRig.h"
#include "support/TempDir.h"

#include <ctime>
#include <gtest/gtest.h>

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

TEST(DropIntake, DroppedPathsKeepTheirLast255Characters) {
    struct Case {
        const char* name;
        std::size_t length;
    };
    const Case cases[] = {{"shorter", 254}, {"exactly 255", 255}, {"longer", 256}, {"far longer", 1000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DatesBench bench;
        // Relative, so that no dates are set.
        std::string path = std::string(c.length - 5, 'a') + "b.jpg";
        bench.platform.queueAnswer(MessageAnswer::Yes);
        bench.drops.drop(std::vector<std::string>{path});
        std::string kept = path.substr(path.size() - std::min<std::size_t>(path.size(), 255));
        EXPECT_EQ(bench.drops.dropFile(1), Variant(kept));
    }
}

} // namespace
} // namespace pelmark
