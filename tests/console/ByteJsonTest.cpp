#include "console/ByteJson.h"

#include "base/Error.h"

#include <gtest/gtest.h>
#include <string>

namespace pelmark::console {
namespace {

// How strings, numbers and refused values print and read, and how a line splits into words, is checked
// end to end by the bytes and errors transcripts; a nesting that deep would not fit in one.
TEST(ByteJsonTest, DeepNestingIsRefusedWithoutRecursion) {
    EXPECT_THROW(parseByteJson(std::string(200000, '[') + std::string(200000, ']')), PelmarkError);
    EXPECT_NO_THROW(parseByteJson(std::string(8, '[') + std::string(8, ']')));
}

} // namespace
} // namespace pelmark::console
