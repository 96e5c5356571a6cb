#include "base/Latin1.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace pelmark {
namespace {

TEST(Latin1, Utf8BecomesOneBytePerCharacterOrNothing) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string lenient;
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
