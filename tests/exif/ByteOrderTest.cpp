#include "exif/ByteOrder.h"

#include "base/Error.h"
#include "control/VeltoraControl.h"
#include "exif/BinarWert.h"
#include "photos/PhotoRig.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>
#include <string>

namespace pelmark {
namespace {

std::string bytes(std::initializer_list<int> codes) {
    std::string out;
    for (int code : codes)
        out.push_back(static_cast<char>(code));
    return out;
}

using test::failureOf;

TEST(Wert, DecodesInTheOrderOfTheMark) {
    struct Case {
        const char* name;
        std::string binar;
        Variant mark;
        double expected;
    };
    const Case cases[] = {
        {"two bytes, low first", bytes({0x0A, 0x00}), Variant("II"), 10},
        {"a missing mark is Intel", bytes({0x00, 0x01}), Variant::missing(), 256},
        {"no sign on two bytes", bytes({0xFF, 0xFF}), Variant("II"), 65535},
        {"no sign on four bytes", bytes({0xFF, 0xFF, 0xFF, 0xFF}), Variant("II"), 4294967295.0},
        {"the empty string", "", Variant("II"), 0},
        {"the empty string, Motorola", "", Variant("MM"), 0},
        {"one byte, Motorola", bytes({0x2A}), Variant("MM"), 42},
        {"Motorola reads high first", bytes({0x00, 0x01}), Variant("MM"), 1},
        {"Motorola, four bytes", bytes({0x00, 0x00, 0x01, 0x0A}), Variant("MM"), 266},
        {"longer strings are summed on", bytes({0, 0, 0, 0, 0, 0, 0x01}), Variant("II"), 281474976710656.0},
        {"zero bytes far out add nothing", std::string(300, '\0'), Variant("II"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Variant result = Wert(c.binar, c.mark);
        ASSERT_TRUE(result.isNumber());
        EXPECT_EQ(result.asNumber(), c.expected);
    }
}

TEST(Wert, RefusesMarksOtherThanIIAndMM) {
    struct Case {
        const char* name;
        Variant mark;
    };
    const Case cases[] = {
        {"lower case", Variant("ii")},   {"mixed marks", Variant("IM")}, {"the empty text", Variant("")},
        {"an empty variant", Variant()}, {"a number", Variant(73)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(failureOf([&] { Wert(bytes({1, 2}), c.mark); }), ErrorKind::InvalidArgument);
    }
}

TEST(Wert, ANonZeroByteBeyondAnyDoubleIsAnOverflow) {
    EXPECT_EQ(failureOf([] { Wert(std::string(200, '\0') + bytes({1}), Variant("II")); }),
              ErrorKind::Overflow);
}

TEST(BinarWert, WritesTheLeastSignificantBytesHighFirst) {
    struct Case {
        const char* name;
        double number;
        double length;
        Variant expected;
    };
    const Case cases[] = {
        {"258 in two bytes", 258, 2, Variant(bytes({0x01, 0x02}))},
        {"1 in one byte", 1, 1, Variant(bytes({0x01}))},
        {"the padding zeros give leading zero bytes", 258, 4, Variant(bytes({0x00, 0x00, 0x01, 0x02}))},
        {"only the low bytes when fewer are asked", 0x123456, 2, Variant(bytes({0x34, 0x56}))},
        {"a length of 0 is empty", 258, 0, Variant()},
        {"a negative length is empty", 258, -3, Variant()},
        {"a half rounds to even, down", 2.5, 1, Variant(bytes({0x02}))},
        {"a half rounds to even, up", 3.5, 1, Variant(bytes({0x04}))},
        {"negative numbers in two's complement", -1, 4, Variant(bytes({0xFF, 0xFF, 0xFF, 0xFF}))},
        {"the largest unsigned 32-bit number", 4294967295.0, 4, Variant(bytes({0xFF, 0xFF, 0xFF, 0xFF}))},
        {"a fractional length counts whole bytes", 258, 2.7, Variant(bytes({0x01, 0x02}))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BinarWert(c.number, c.length), c.expected);
    }
}

TEST(BinarWert, FailsBeyondWhatItsDigitsHold) {
    struct Case {
        const char* name;
        double number;
        double length;
        ErrorKind error;
    };
    const Case cases[] = {
        // "00000" + "1" is six digits: three bytes, not four.
        {"1 has three bytes to give", 1, 4, ErrorKind::InvalidArgument},
        // "00000" + "102" is eight digits: four bytes, not five.
        {"258 has four bytes to give", 258, 5, ErrorKind::InvalidArgument},
        {"beyond 32 bits", 4294967296.0, 1, ErrorKind::Overflow},
        {"below the 32-bit range", -2147483649.0, 1, ErrorKind::Overflow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(failureOf([&] { BinarWert(c.number, c.length); }), c.error);
    }
    EXPECT_EQ(BinarWert(1, 3), Variant(bytes({0x00, 0x00, 0x01})));
}

TEST(BinarWert, RoundTripsThroughWertAsTheControlsMembers) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    // Three bytes: even 0 has them ("00000" and "0").
    for (double number : {0.0, 10.0, 65535.0, 1193046.0}) {
        SCOPED_TRACE(number);
        Variant length(3);
        Variant binar = control.BinarWert(number, length);
        // BinarWert writes high byte first, which Wert reads as Motorola order.
        Variant motorola("MM");
        EXPECT_EQ(control.Wert(binar, motorola), Variant(number));
        EXPECT_EQ(length, Variant(3));
    }
}

} // namespace
} // namespace pelmark
