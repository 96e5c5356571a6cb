#include "base/NumberText.h"

#include <gtest/gtest.h>

namespace pelmark {
namespace {

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

} // namespace
} // namespace pelmark
