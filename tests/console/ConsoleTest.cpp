#include "console/Console.h"

#include "base/Error.h"
#include "platform/SettingsStore.h"
#include "support/TempDir.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace pelmark::console {
namespace {

ConsoleOptions optionsIn(const test::TempDir& dir) {
    ConsoleOptions options;
    options.settingsFolder = dir.folder();
    return options;
}

TEST(ConsoleOptionsTest, OptionsOfTheCommandLine) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        bool widgets;
        std::optional<char> separator;
        ConsolePlatform::Launch launch;
        std::string settings;
    };
    const Case cases[] = {
        {"none", {}, false, std::nullopt, ConsolePlatform::Launch::Record, ""},
        {"all",
         {"--widgets", "--decimal-separator", ",", "--launch", "real", "--settings", "/tmp/s"},
         true,
         ',',
         ConsolePlatform::Launch::Real,
         "/tmp/s"},
        {"launch recorded", {"--launch", "record"}, false, std::nullopt, ConsolePlatform::Launch::Record, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConsoleOptions options = parseConsoleOptions(c.arguments);
        EXPECT_EQ(options.widgets, c.widgets);
        EXPECT_EQ(options.decimalSeparator, c.separator);
        EXPECT_EQ(options.launch, c.launch);
        EXPECT_EQ(options.settingsFolder, c.settings);
    }
}

TEST(ConsoleOptionsTest, RefusedOptions) {
    const std::vector<std::string> cases[] = {
        {"--decimal-separator"},
        {"--decimal-separator", ",,"},
        {"--launch", "maybe"},
        {"--launch"},
        {"--settings"},
        {"--verbose"},
        {"--decimal-separator", ""},
    };
    for (const auto& arguments : cases) {
        SCOPED_TRACE(arguments.front() + (arguments.size() > 1 ? " " + arguments[1] : ""));
        EXPECT_THROW(parseConsoleOptions(arguments), PelmarkError);
    }
}

TEST(ConsoleTest, StartUpReadsTheStoreOfTheSettingsFolder) {
    struct Case {
        const char* name;
        std::optional<std::string> stored;
        std::string answer;
    };
    const Case cases[] = {
        {"nothing stored: the default", std::nullopt,
         R"({"result": "D:\\Programme\\GPS\\GARtrip\\Gartrip.exe", "args": []})"},
        {"a stored path", "/opt/gartrip/gartrip", R"({"result": "/opt/gartrip/gartrip", "args": []})"},
        {"a stored empty path stays empty", "", R"({"result": "", "args": []})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        if (c.stored) SettingsStore(dir.folder()).write("Options", "GARTripPath", *c.stored);
        Console console(optionsIn(dir));
        EXPECT_EQ(console.answer("GARTripPath"), c.answer);
    }
}

TEST(ConsoleTest, OnlyLinesItCannotUnderstandSetTheExitCode) {
    test::TempDir dir;
    struct Case {
        const char* name;
        std::string script;
        int exitCode;
        std::size_t answers;
    };
    const Case cases[] = {
        {"comments and blank lines answer nothing", "# note\n\n   \nAnzahl\n", 0, 1},
        {"a member that fails is no misunderstanding", "LoadPictures \"" + dir.file("none.jpg") + "\"\n", 0,
         1},
        {"an unknown member is", "Anzahl\nZaehler\nAnzahl\n", 2, 3},
        {"a bad value is", "Wert [1]\n", 2, 1},
        {"a value no user could enter is", ":set KameraShift [1]\n", 2, 1},
        {"a check state beyond the three is", ":set Flash 3\n", 2, 1},
        {"an action the element does not take is", ":timer ShowHide\n", 2, 1},
        {"carriage returns are line ends", "Anzahl 3\r\nAnzahl\r\n", 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Console console(optionsIn(dir));
        std::istringstream in(c.script);
        std::ostringstream out;
        EXPECT_EQ(console.run(in, out), c.exitCode);
        std::string text = out.str();
        EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), c.answers) << text;
    }
}

TEST(ConsolePlatformTest, LaunchesAreRecordedAndStartedOnlyWhenAsked) {
    test::TempDir dir;
    struct Case {
        const char* name;
        ConsolePlatform::Launch launch;
        bool started;
    };
    const Case cases[] = {
        {"recorded", ConsolePlatform::Launch::Record, false},
        {"real", ConsolePlatform::Launch::Real, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConsolePlatform platform(c.launch, dir.folder());
        std::string marker = dir.file(std::string("started-") + c.name);
        platform.startProcess("touch " + marker);
        EXPECT_EQ(platform.takeLaunched(), std::vector<std::string>{"touch " + marker});
        for (int i = 0; c.started && i < 100 && !std::filesystem::exists(marker); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(std::filesystem::exists(marker), c.started);
    }
    ConsolePlatform real(ConsolePlatform::Launch::Real, dir.folder());
    EXPECT_THROW(real.startProcess("/no/such/gartrip x.wp"), PelmarkError);
    EXPECT_TRUE(real.takeLaunched().empty()) << "a failed start is not recorded as started";
}

TEST(ConsolePlatformTest, FileTimesAreSetForReal) {
    test::TempDir dir;
    ConsolePlatform platform(ConsolePlatform::Launch::Record, dir.folder());
    std::string photo = dir.write("a.jpg", "x");
    constexpr FileTime kWrite = 116444736000000000ULL + 1060853412ULL * 10000000ULL;
    EXPECT_TRUE(platform.setFileTimes(photo, kWrite, 0, kWrite));
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::file_clock::to_sys(std::filesystem::last_write_time(photo)).time_since_epoch());
    EXPECT_EQ(seconds.count(), 1060853412);
    EXPECT_FALSE(platform.setFileTimes(dir.file("missing.jpg"), 0, kWrite, kWrite));
}

} // namespace
} // namespace pelmark::console
