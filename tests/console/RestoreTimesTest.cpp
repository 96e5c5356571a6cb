#include "restore/RestoreTimes.h"

#include "console/ConsolePlatform.h"
#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "qtplatform/FileTimes.h"
#include "qtplatform/TimeRecord.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmark {
namespace {

// A time as nanoseconds since 1970, so that times compare and print as one number.
long long nanoseconds(const timespec& time) {
    return time.tv_sec * 1000000000LL + time.tv_nsec;
}

struct Times {
    long long access, modification;
};

Times timesOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return {nanoseconds(info.st_atim), nanoseconds(info.st_mtim)};
}

int restore(const std::vector<std::string>& args, std::string& output) {
    std::ostringstream out, err;
    int code = restore::runRestoreTimes(args, out, err);
    output = out.str() + err.str();
    return code;
}

// The one place the control changes a user's files: the real times after `DatumSetzen`, a read-only
// photo left as it was, and the record that brings the times back to the nanosecond.
TEST(RestoreTimesTest, DatesSetOnRealFilesAreRecordedAndComeBackExactly) {
    test::TempDir dir;
    fixtures::JpegExifWriter photo;
    photo
        .main(fixtures::asciiEntry(0x0132, "2003:07:15 14:30:07")) // DateTime
        .sub(fixtures::asciiEntry(0x9003, "2003:07:15 14:30:05"))  // DateTimeOriginal
        .sub(fixtures::asciiEntry(0x9004, "2003:07:15 14:30:06"))  // DateTimeDigitized
        .withPicture();
    const std::string writable = dir.file("P1.jpg"), readOnly = dir.file("P2.jpg");
    // Access an hour ahead, after the modification and the change of times: reading the photo does not
    // move it.
    const timespec before[2] = {{::time(nullptr) + 3600, 250}, {978307200, 123456789}};
    for (const std::string& path : {writable, readOnly}) {
        ASSERT_TRUE(photo.writeTo(path));
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), before, 0), 0);
    }
    std::filesystem::permissions(readOnly,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);

    {
        console::ConsolePlatform platform(console::ConsolePlatform::Launch::Record, dir.folder());
        VeltoraControl control(platform);
        for (const std::string& path : {writable, readOnly, writable}) {
            Variant file(path);
            control.DatumSetzen(file);
        }
    }
    // 2003-07-15 12:30:06 and 12:30:07 UTC.
    EXPECT_EQ(timesOf(writable).access, 1058272206LL * 1000000000);
    EXPECT_EQ(timesOf(writable).modification, 1058272207LL * 1000000000);
    EXPECT_EQ(timesOf(readOnly).access, nanoseconds(before[0]));
    EXPECT_EQ(timesOf(readOnly).modification, nanoseconds(before[1]));

    const auto lines = TimeRecord::forSettingsFolder(dir.folder()).read();
    ASSERT_FALSE(lines.empty());
    for (const auto& line : lines)
        EXPECT_EQ(line.path, writable) << "a file that keeps its times is not on record";
    EXPECT_EQ(nanoseconds(lines.front().modification), nanoseconds(before[1]));

    std::string output;
    EXPECT_EQ(restore({"--dry-run", "--settings", dir.folder()}, output), 0);
    EXPECT_NE(output.find("would restore " + writable + ": access "), std::string::npos) << output;
    EXPECT_EQ(output.find(readOnly), std::string::npos) << output;
    EXPECT_EQ(timesOf(writable).modification, 1058272207LL * 1000000000) << "a dry run changes nothing";

    EXPECT_EQ(restore({"--settings", dir.folder()}, output), 0) << output;
    EXPECT_EQ(timesOf(writable).access, nanoseconds(before[0]));
    EXPECT_EQ(timesOf(writable).modification, nanoseconds(before[1]));
    EXPECT_TRUE(TimeRecord::forSettingsFolder(dir.folder()).read().empty())
        << "restored files leave the record";
    EXPECT_EQ(restore({"--settings"}, output), 2);
}

// A record someone tampered with, or a line a full disk cut short, restores the files it names
// rightly and only those: each one it cannot restore or read is named, stays on record, and the exit
// code says so. The record stays its owner's alone.
TEST(RestoreTimesTest, NamesWhatItCannotRestoreAndKeepsItOnRecord) {
    test::TempDir dir;
    const std::string a = dir.file("a.jpg"), b = dir.file("b.jpg"), link = dir.file("link.jpg");
    const auto line = [](const std::string& path) {
        return TimeRecord::lineOf({path, {1000, 0}, {2000, 0}}) + "\n";
    };
    struct Case {
        const char* name;
        std::string record;
        bool restored; // both files, or neither
        std::string kept, named;
    };
    const Case cases[] = {
        {"a link where a file was", line(link), false, line(link), link + ": it is a symbolic link"},
        {"a relative path", line("b.jpg"), false, line("b.jpg"), "line 1 "},
        {"a damaged line between two files", line(a) + "17.5 3\n" + line(b), true, "17.5 3\n", "line 2 "},
    };
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("a.jpg", "photo"), dir.write("b.jpg", "photo"), std::filesystem::remove(link);
        std::filesystem::create_symlink(b, link);
        const std::string record = dir.write("Pelmark/file-times.txt", c.record);
        ::chmod(record.c_str(), 0600);
        std::string output;
        EXPECT_EQ(restore({"--settings", dir.folder()}, output), 1);
        EXPECT_NE(output.find(c.named), std::string::npos) << output;
        for (const std::string& path : {a, b})
            EXPECT_EQ(timesOf(path).modification == 2000LL * 1000000000, c.restored) << path;
        EXPECT_EQ(test::contentOf(record), c.kept);
        EXPECT_EQ(std::filesystem::status(record).permissions(), std::filesystem::perms(0600));
    }
    std::filesystem::current_path(here);
}

// Someone else's file that anyone may write, but whose times only its owner may set: its times do not
// change, so it must not go on record as changed (restoring it would fail for ever).
TEST(RestoreTimesTest, RecordsOnlyTimesThatReallyChanged) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs another user's file";
    test::TempDir dir;
    const std::string shared = dir.write("shared.jpg", "photo"), record = dir.write("rec/file-times.txt", "");
    for (const std::string& path : {dir.folder(), dir.file("rec"), shared, record})
        ::chmod(path.c_str(), 0777);
    EXPECT_EXIT(
        {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) std::_Exit(2);
            TimeRecord times(record);
            std::_Exit(setAccessAndWriteTimes(shared, 1, 1, &times) ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(test::contentOf(record), "");
}

// Blanks, line breaks, backslashes (also before an n) and high bytes.
TEST(RestoreTimesTest, EveryPathSurvivesItsLineInTheRecord) {
    for (const char* path : {"/p/a b  c.jpg", "/p/a\nb\n.jpg", "/p/a\\b\\n\\.jpg", "/p/\xe4\xb0.jpg"}) {
        SCOPED_TRACE(path);
        RecordedTimes times{path, {-1, 5}, {1058272207, 999999999}};
        std::string line = TimeRecord::lineOf(times);
        EXPECT_EQ(line.find('\n'), std::string::npos) << "one line per file";
        auto read = TimeRecord::parseLine(line);
        ASSERT_TRUE(read.has_value()) << line;
        EXPECT_EQ(read->path, path);
        EXPECT_EQ(nanoseconds(read->access), nanoseconds(times.access));
        EXPECT_EQ(nanoseconds(read->modification), nanoseconds(times.modification));
    }
}

} // namespace
} // namespace pelmark
