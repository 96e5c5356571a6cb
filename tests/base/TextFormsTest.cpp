#include "base/InstantText.h"
#include "base/Latin1.h"
#include "base/NumberText.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace pelmark {
namespace {

// The texts instants come in: GPX and clock-photo times (zoned or not), EXIF times. 1055566930 is
// 2003-06-14T05:02:10Z.
TEST(InstantText, ReadsTheFormsInstantsComeIn) {
    struct Case {
        const char* text;
        std::optional<double> iso, isoZoned, exif;
    };
    const Case cases[] = {
        {"2003-06-14T07:02:10.25+02:00", 1055566930.25, 1055566930.25, {}},
        {"2003-06-14T00:02:10-0500", 1055566930, 1055566930, {}},
        {"2003-06-14T05:02:10", 1055566930, {}, {}},
        {"2003-06-14T05:02:10+2:00", {}, {}, {}},
        {"2003:06:14 05:02:10.5", {}, {}, 1055566930.5},
        {"2003:13:14 05:02:10", {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(isoInstant(c.text), c.iso);
        EXPECT_EQ(isoInstant(c.text, true), c.isoZoned);
        EXPECT_EQ(exifClockSeconds(c.text), c.exif);
    }
    EXPECT_EQ(isoText(1055566930.25), "2003-06-14T05:02:10.250Z");
}

// How a leading number is read shows end to end in the clock transcript, through the camera offset.
TEST(NumberText, DecimalTextUsesTheSeparatorAndDropsTrailingZeros) {
    struct Case {
        const char* name;
        double value;
        char separator;
        const char* expected;
    };
    const Case cases[] = {
        {"comma", 2.8, ',', "2,8"},  {"point", 2.1, '.', "2.1"},
        {"whole", 3, ',', "3"},      {"power", 128, '.', "128"},
        {"zero", 0, ',', "0"},       {"negative", -0.5, ',', "-0,5"},
        {"tenths", 0.1, '.', "0.1"}, {"large", 4294967295.0, '.', "4294967295"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decimalText(c.value, c.separator), c.expected);
    }
}

// How a member's number argument is read (empty, true, blanks, the separator) shows in the bytes and
// decimal transcripts.
TEST(NumberText, VariantsAsText) {
    EXPECT_EQ(textOf(Variant(2.5), ','), "2,5");
    EXPECT_EQ(textOf(Variant(), ','), "");
}

TEST(Latin1, Utf8BecomesOneBytePerCharacterOrNothing) {
    struct Case {
        const char* name;
        std::string utf8, lenient;
        std::optional<std::string> exact;
    };
    const Case cases[] = {
        {"ascii", "Bild", "Bild", "Bild"},
        {"umlaut and degree", "H\xC3\xB6he \xC2\xB0", "H\xF6he \xB0", "H\xF6he \xB0"},
        {"the euro sign, above U+00FF", "a\342\202\254b", "a?b", std::nullopt},
        {"lone continuation byte", "a\200b", "a?b", std::nullopt},
        {"cut-off sequence", "a\xC3", "a?", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(latin1FromUtf8(c.utf8), c.lenient);
        EXPECT_EQ(exactLatin1FromUtf8(c.utf8), c.exact);
    }
}

TEST(Latin1, EveryByteSurvivesTheTripThroughUtf8) {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    EXPECT_EQ(exactLatin1FromUtf8(utf8FromLatin1(bytes)), bytes);
}

} // namespace
} // namespace pelmark
