#include "console/Console.h"

#include "base/Error.h"
#include "console/ByteJson.h"
#include "support/TempDir.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
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

    // clang-format off
    const std::vector<std::string> refused[] = {
        {"--decimal-separator", ",,"}, {"--decimal-separator", ""}, {"--launch", "maybe"}, {"--settings"}, {"--verbose"}};
    // clang-format on
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

// How strings, numbers and refused values print and read, and how a line splits into words, is checked
// end to end by the bytes and errors transcripts; a nesting that deep would not fit in one.
TEST(ByteJsonTest, DeepNestingIsRefusedWithoutRecursion) {
    EXPECT_THROW(parseByteJson(std::string(200000, '[') + std::string(200000, ']')), PelmarkError);
    EXPECT_NO_THROW(parseByteJson(std::string(8, '[') + std::string(8, ']')));
}

} // namespace
} // namespace pelmark::console
