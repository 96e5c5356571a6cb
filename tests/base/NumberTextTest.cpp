#include "base/NumberText.h"

#include "base/Error.h"

#include <cmath>
#include <gtest/gtest.h>

namespace pelmark {
namespace {

TEST(NumberText, LeadingNumberReadsUpToTheFirstCharacterThatCannotContinueIt) {
    struct Case {
        const char* name;
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"plain", "31", 31},
        {"fraction", "2.5", 2.5},
        {"comma stops", "1,5", 1},
        {"empty", "", 0},
        {"letters", "abc", 0},
        {"leading blanks", "   7x", 7},
        {"negative", "-12", -12},
        {"lone point", ".", 0},
        {"point first", ".5", 0.5},
        {"exponent", "1e3", 1000},
        {"dangling exponent", "2e", 2},
        {"sign only", "-", 0},
        {"digits then blank", "3 4", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.expected);
    }
}

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

TEST(NumberText, CountersAndHexadecimal) {
    EXPECT_EQ(counterText(14), " 14");
    EXPECT_EQ(counterText(0), " 0");
    EXPECT_EQ(counterText(-3), "-3");
    EXPECT_EQ(hexText(0x10A), "10A");
    EXPECT_EQ(hexText(8), "8");
    EXPECT_EQ(hexText(0), "0");
}

TEST(NumberText, RoundingTakesAHalfToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(2.6), 3);
}

TEST(NumberText, VariantsAsNumbers) {
    EXPECT_EQ(numberOf(Variant(), '.'), 0);
    EXPECT_EQ(numberOf(Variant(true), '.'), -1);
    EXPECT_EQ(numberOf(Variant("2,5"), ','), 2.5);
    EXPECT_EQ(numberOf(Variant(" 7 "), '.'), 7);
    EXPECT_THROW(numberOf(Variant("x"), '.'), PelmarkError);
    EXPECT_THROW(numberOf(Variant("2,5"), '.'), PelmarkError);
    EXPECT_THROW(numberOf(Variant::missing(), '.'), PelmarkError);
    EXPECT_EQ(textOf(Variant(2.5), ','), "2,5");
    EXPECT_EQ(textOf(Variant(), ','), "");
}

} // namespace
} // namespace pelmark
