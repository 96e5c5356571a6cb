#include "console/ByteJson.h"

#include "base/Error.h"
#include "console/LineWords.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pelmark::console {
namespace {

using namespace std::string_literals;

TEST(ByteJsonTest, StringsPrintAsBytesAndReadBack) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string printed;
    };
    const Case cases[] = {
        {"printable ASCII as is", "Bild /x.jpg", R"("Bild /x.jpg")"},
        {"quote and backslash", "a\"b\\c", R"("a\"b\\c")"},
        {"short escapes", "\n\r\t\b\f", R"("\n\r\t\b\f")"},
        {"NUL, other controls and DEL", "\0\x01\x1f\x7f"s, R"("\u0000\u0001\u001f\u007f")"},
        {"high bytes as their characters in UTF-8", "\x80\xb0\xff", "\"\xc2\x80\xc2\xb0\xc3\xbf\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(writeByteJson(Json(c.bytes)), c.printed);
        EXPECT_EQ(parseByteJson(c.printed).get<std::string>(), c.bytes);
    }
    // Other spellings of the same bytes read as one byte per character too.
    EXPECT_EQ(parseByteJson(R"("\u00ff\u0000")").get<std::string>(), "\xff\0"s);
    EXPECT_EQ(parseByteJson("[\"\xc3\xa4\"]")[0].get<std::string>(), "\xe4");
}

TEST(ByteJsonTest, RefusedValues) {
    const char* cases[] = {
        R"("\u0100")",      // first character beyond one byte
        "\"\xe2\x82\xac\"", // the euro sign, raw
        R"("abc)",          "nonsense", "[1, 2", "",
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        EXPECT_THROW(parseByteJson(text), PelmarkError);
    }
    // Deep enough to run the stack out if anything on the way recursed per level.
    EXPECT_THROW(parseByteJson(std::string(200000, '[') + std::string(200000, ']')), PelmarkError);
    EXPECT_NO_THROW(parseByteJson(std::string(8, '[') + std::string(8, ']')));
}

TEST(ByteJsonTest, NumbersAndStructures) {
    // Whole doubles print without a fraction, fractions in their shortest form, and what is not finite
    // as null.
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(writeByteJson(Json::array({10.0, -0.0, 0.1, 4294967295.0, 1e8, -1e20, 1e300, infinity, 42})),
              "[10, 0, 0.1, 4294967295, 100000000, -100000000000000000000, 1e+300, null, 42]");
    // An object keeps its order.
    Json answer{{"result", nullptr},
                {"args", Json::array({1, "a", true, false, Json::array(), Json::object()})}};
    EXPECT_EQ(writeByteJson(answer), R"({"result": null, "args": [1, "a", true, false, [], {}]})");
}

TEST(ByteJsonTest, VariantsCrossBothWays) {
    struct Case {
        Variant variant;
        std::string printed;
    };
    const Case cases[] = {
        {Variant(), "null"},     {Variant(2.5), "2.5"},        {Variant("\xb0"), "\"\xc2\xb0\""},
        {Variant(true), "true"}, {Variant::missing(), "null"}, // missing prints as null, reads as empty
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.printed);
        EXPECT_EQ(writeByteJson(jsonOf(c.variant)), c.printed);
        if (!c.variant.isMissing()) {
            EXPECT_EQ(variantOf(parseByteJson(c.printed)), c.variant);
        }
    }
    EXPECT_THROW(variantOf(parseByteJson("[1]")), PelmarkError);
    EXPECT_THROW(variantOf(parseByteJson(R"({"a": 1})")), PelmarkError);
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
