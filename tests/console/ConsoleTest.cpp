#include "console/Console.h"

#include "base/Error.h"
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
    // The transcripts run with --widgets, --decimal-separator and --settings; what they cannot show is
    // the defaults and a real launch.
    ConsoleOptions none = parseConsoleOptions({});
    EXPECT_FALSE(none.widgets);
    EXPECT_EQ(none.decimalSeparator, std::nullopt);
    EXPECT_EQ(none.launch, ConsolePlatform::Launch::Record);
    EXPECT_EQ(parseConsoleOptions({"--launch", "real"}).launch, ConsolePlatform::Launch::Real);

    const std::vector<std::string> refused[] = {
        {"--decimal-separator"},
        {"--decimal-separator", ",,"},
        {"--decimal-separator", ""},
        {"--launch", "maybe"},
        {"--launch"},
        {"--settings"},
        {"--verbose"},
    };
    for (const auto& arguments : refused) {
        SCOPED_TRACE(arguments.front() + (arguments.size() > 1 ? " " + arguments[1] : ""));
        EXPECT_THROW(parseConsoleOptions(arguments), PelmarkError);
    }
}

// The default path and a stored one are the control's and the widget's business; an empty answer to
// the options button can only come back at the next start through the console's own settings folder.
TEST(ConsoleTest, AnEmptyGarTripPathIsStoredAndReadBackEmpty) {
    for (const char* answer : {":input", ":input-cancel"}) {
        SCOPED_TRACE(answer);
        test::TempDir dir;
        {
            Console console(optionsIn(dir));
            console.answer(answer);
            console.answer(R"(:click "Toolbar2/Options")");
        }
        Console console(optionsIn(dir));
        EXPECT_EQ(console.answer("GARTripPath"), R"({"result": "", "args": []})");
    }
}

// The transcripts hold the lines that set the exit code, words cut off included; these are the line shapes
// they cannot show.
TEST(ConsoleTest, LinesOfAScript) {
    struct Case {
        const char* name;
        std::string script;
        int exitCode;
        std::size_t answers;
    };
    const Case cases[] = {
        {"comments and blank lines answer nothing", "# note\n\n   \nAnzahl\n", 0, 1},
        {"the console goes on after a line it cannot understand", "Anzahl\nZaehler\nAnzahl\n", 2, 3},
        {"carriage returns are line ends", "Anzahl 3\r\nAnzahl\r\n", 0, 2},
    };
    test::TempDir dir;
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
    for (auto launch : {ConsolePlatform::Launch::Record, ConsolePlatform::Launch::Real}) {
        const bool real = launch == ConsolePlatform::Launch::Real;
        SCOPED_TRACE(real ? "real" : "recorded");
        ConsolePlatform platform(launch, dir.folder());
        std::string marker = dir.file(real ? "started-real" : "started-recorded");
        platform.startProcess("touch " + marker);
        EXPECT_EQ(platform.takeLaunched(), std::vector<std::string>{"touch " + marker});
        // The start does not wait; give the program its moment.
        for (int i = 0; real && i < 100 && !std::filesystem::exists(marker); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(std::filesystem::exists(marker), real);
    }
    ConsolePlatform real(ConsolePlatform::Launch::Real, dir.folder());
    EXPECT_THROW(real.startProcess("/no/such/gartrip x.wp"), PelmarkError);
    EXPECT_TRUE(real.takeLaunched().empty()) << "a failed start is not recorded as started";
}

} // namespace
} // namespace pelmark::console
