#include "base/FileSlot.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>

namespace pelmark {
namespace {

// 20000 bytes, each the low byte of its offset, so a read shows where it came from.
std::string countingBytes() {
    std::string bytes(20000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i & 0xFF);
    return bytes;
}

TEST(FileSlot, ReadsAtOffsetsWithinTheFileAndRefusesBeyondIt) {
    test::TempDir dir;
    const std::string bytes = countingBytes();
    FileSlot slot;
    ASSERT_TRUE(slot.openForReading(dir.write("data.bin", bytes)));
    struct Case {
        const char* name;
        std::uint64_t offset, count;
        bool ok;
    };
    const Case cases[] = {
        {"start", 0, 12, true},
        {"back into the window", 4, 4, true},
        {"across the window's end", 8190, 10, true},
        {"larger than the window", 100, 9000, true},
        {"the last byte", 19999, 1, true},
        {"nothing at the end", 20000, 0, true},
        {"one past the end", 19999, 2, false},
        {"offset past the end", 20001, 0, false},
        {"a count that would wrap", 10, ~std::uint64_t{0} - 5, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out = "stale";
        EXPECT_EQ(slot.readAt(c.offset, c.count, out), c.ok);
        if (c.ok)
            EXPECT_EQ(out, bytes.substr(c.offset, c.count));
        else
            EXPECT_TRUE(out.empty());
    }
}

TEST(FileSlot, SequentialReadsStopAtTheEndAndAfterAClose) {
    test::TempDir dir;
    FileSlot slot;
    ASSERT_TRUE(slot.openForReading(dir.write("short.bin", "abcdef")));
    std::string out;
    EXPECT_TRUE(slot.read(4, out));
    EXPECT_EQ(out, "abcd");
    EXPECT_FALSE(slot.read(4, out));
    EXPECT_EQ(slot.position(), 6u);
    EXPECT_FALSE(slot.read(1, out));

    ASSERT_TRUE(slot.openForReading(dir.file("short.bin")));
    slot.close();
    EXPECT_FALSE(slot.read(1, out));
    EXPECT_FALSE(slot.readAt(0, 1, out));
}

} // namespace
} // namespace pelmark
