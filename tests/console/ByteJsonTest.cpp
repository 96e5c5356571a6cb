#include "console/ByteJson.h"

#include "base/Error.h"
#include "console/LineWords.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pelmark::console {
namespace {

// How strings, numbers and refused values print and read is checked end to end by the bytes and errors
// transcripts; a nesting that deep would not fit in one.
TEST(ByteJsonTest, DeepNestingIsRefusedWithoutRecursion) {
    EXPECT_THROW(parseByteJson(std::string(200000, '[') + std::string(200000, ']')), PelmarkError);
    EXPECT_NO_THROW(parseByteJson(std::string(8, '[') + std::string(8, ']')));
}

TEST(LineWordsTest, WordsOfALine) {
    struct Case {
        std::string line;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"  Wert  1\t2 ", {"Wert", "1", "2"}},
        {R"(:get "Toolbar2/GarTrip Starten" tooltip)", {":get", R"("Toolbar2/GarTrip Starten")", "tooltip"}},
        {R"(Wert "a\" b" x)", {"Wert", R"("a\" b")", "x"}},
        {R"(X [1, "]", {"k": "}"}] y)", {"X", R"([1, "]", {"k": "}"}])", "y"}},
        {"   ", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        LineWords words(c.line);
        std::vector<std::string> found;
        while (auto word = words.next())
            found.emplace_back(*word);
        EXPECT_EQ(found, c.words);
    }
    LineWords open(R"(Wert "abc)");
    open.next();
    EXPECT_THROW(open.next(), PelmarkError);
}

} // namespace
} // namespace pelmark::console
