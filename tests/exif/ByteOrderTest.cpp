#include "exif/ByteOrder.h"

#include "base/Error.h"
#include "photos/PhotoRig.h"

#include <gtest/gtest.h>
#include <string>

namespace pelmark {
namespace {

using test::failureOf;

// The rows of both conversions run end to end in the bytes transcript; these are too long for a line.
TEST(Wert, ZeroBytesFarOutAddNothingAndANonZeroOneBeyondAnyDoubleIsAnOverflow) {
    EXPECT_EQ(Wert(std::string(300, '\0'), Variant("II")), Variant(0));
    EXPECT_EQ(failureOf([] { Wert(std::string(200, '\0') + '\x01', Variant("II")); }), ErrorKind::Overflow);
}

} // namespace
} // namespace pelmark
