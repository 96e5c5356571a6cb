#include "base/Error.h"
#include "console/ConsolePlatform.h"
#include "qtplatform/FileTimes.h"
#include "qtplatform/ProcessStart.h"
#include "qtplatform/SettingsStore.h"
#include "support/TempDir.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace pelmark {
namespace {

TEST(SettingsStoreTest, ValuesSurviveTheStoreAndStayDistinctFromAbsence) {
    test::TempDir dir;
    // Backslashes, blanks and equals; the empty text, which is a value; high bytes.
    for (const char* value : {"D:\\Programme\\GPS GARtrip = a ; b ", "", "C:\\Bilder\\\xe4\xf6\xfc\xb0"}) {
        SCOPED_TRACE(value);
        SettingsStore(dir.folder()).write("Options", "GARTripPath", value);
        EXPECT_EQ(SettingsStore(dir.folder()).read("Options", "GARTripPath"), value);
    }
    EXPECT_FALSE(SettingsStore(dir.folder()).read("Options", "Other").has_value());
    EXPECT_FALSE(SettingsStore(dir.folder()).read("Elsewhere", "GARTripPath").has_value());
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Pelmark" / "Pelmark.ini"));

    test::TempDir other;
    EXPECT_FALSE(SettingsStore(other.folder()).read("Options", "GARTripPath").has_value())
        << "each folder is its own store";
}

// Qt reads the separator from LC_ALL, else LC_NUMERIC, else LANG; the shortcut answers for the C
// locale alone and must agree with Qt wherever it answers.
TEST(DecimalSeparatorTest, TheCLocaleShortcutAgreesWithQtsLocaleData) {
    struct Case {
        const char* environment;
        char qt, shortcut; // shortcut '-': left to Qt
    };
    const Case cases[] = {
        {"", '.', '.'},
        {"LC_ALL= LC_NUMERIC= LANG=", '.', '.'},
        {"LANG=POSIX", '.', '.'},
        {"LC_ALL=C.UTF-8 LANG=de_DE.UTF-8", '.', '.'},
        {"LC_NUMERIC=C LANG=de_DE.UTF-8", '.', '.'},
        {"LC_NUMERIC=de_DE.UTF-8 LANG=C", ',', '-'},
        {"LC_ALL=de_DE LC_NUMERIC=C", ',', '-'},
        {"LANG=de_CH.UTF-8", '.', '-'},
        {"LANG=fr_FR@euro", ',', '-'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.environment);
        const std::string command = std::string("env -i ") + c.environment + " " + PELMARK_DECIMAL_PROBE;
        FILE* probe = popen(command.c_str(), "r");
        ASSERT_NE(probe, nullptr);
        char answer[3] = {};
        const std::size_t read = std::fread(answer, 1, 2, probe);
        EXPECT_EQ(pclose(probe), 0);
        ASSERT_EQ(read, 2u);
        EXPECT_EQ(answer[0], c.qt);
        EXPECT_EQ(answer[1], c.shortcut);
    }
}

TEST(ProcessStartTest, CommandLinesSplitAtBlanksWithoutQuoting) {
    struct Case {
        const char* name;
        std::string line;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"program and file", "/opt/gt/gartrip /data/trip.wp", {"/opt/gt/gartrip", "/data/trip.wp"}},
        {"runs of blanks are one", "  a   b ", {"a", "b"}},
        {"quotes are ordinary", "\"C:\\Program Files\\x\" y", {"\"C:\\Program", "Files\\x\"", "y"}},
        {"only blanks", "   ", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitCommandLine(c.line), c.words);
    }
}

// Times after 1970 reach the files in the restore-times test, to the nanosecond; these come before it.
TEST(FileTimesTest, FileTimesBecomePosixTimes) {
    // Half a second before the epoch, and the first tick of 1601.
    for (const auto& [time, seconds, nanoseconds] :
         {std::tuple{116444735995000000ULL, -1LL, 500000000L}, {1ULL, -11644473600LL, 100L}}) {
        SCOPED_TRACE(time);
        EXPECT_EQ(timespecOf(time).tv_sec, seconds);
        EXPECT_EQ(timespecOf(time).tv_nsec, nanoseconds);
    }
    EXPECT_EQ(timespecOf(0).tv_nsec, UTIME_OMIT);
}

// Through the console's platform, which passes the access and write times on (the restore-times test
// follows them to the nanosecond, and a read-only file keeping its times): a zero leaves its time alone.
TEST(FileTimesTest, AZeroLeavesItsTimeAloneWhileTheOtherChanges) {
    test::TempDir dir;
    console::ConsolePlatform platform(console::ConsolePlatform::Launch::Record, dir.folder());
    std::string path = dir.write("photo.jpg", "x");
    auto at = [](FileTime seconds) { return 116444736000000000ULL + seconds * 10000000ULL; };
    ASSERT_TRUE(platform.setFileTimes(path, 1, at(1000000000), at(1060853412)));
    ASSERT_TRUE(platform.setFileTimes(path, 0, 0, at(1000000000)));
    ASSERT_TRUE(platform.setFileTimes(path, 0, at(1060853412), 0));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_atim.tv_sec, 1060853412);
    EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);
}

} // namespace
} // namespace pelmark
