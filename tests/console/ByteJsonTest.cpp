#include "console/ByteJson.h"

#include "base/Error.h"
#include "console/LineWords.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pelmark::console {
namespace {

using namespace std::string_literals;

TEST(ByteJsonTest, StringsPrintAsBytes) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string printed;
    };
    const Case cases[] = {
        {"printable ASCII as is", "Bild /x.jpg", R"("Bild /x.jpg")"},
        {"quote and backslash", "a\"b\\c", R"("a\"b\\c")"},
        {"short escapes", "\n\r\t\b\f", R"("\n\r\t\b\f")"},
        {"NUL and other controls", "\0\x01\x1f"s, R"("\u0000\u0001\u001f")"},
        {"DEL", "\x7f", R"("\u007f")"},
        {"high bytes as their characters in UTF-8", "\x80\xb0\xff", "\"\xc2\x80\xc2\xb0\xc3\xbf\""},
        {"blank stays", " ", R"(" ")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(writeByteJson(Json(c.bytes)), c.printed);
        EXPECT_EQ(parseByteJson(c.printed).get<std::string>(), c.bytes) << "reads back";
    }
}

TEST(ByteJsonTest, ParsedStringsHoldOneBytePerCharacter) {
    struct Case {
        const char* name;
        std::string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"escaped FF 00", R"("\u00ff\u0000")", "\xff\0"s},
        {"raw UTF-8 of U+00E4", "\"\xc3\xa4\"", "\xe4"},
        {"degree sign", R"("47\u00b0")", "47\xb0"},
        {"inside an array", R"(["\u00fc"])", "\xfc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Json value = parseByteJson(c.text);
        std::string bytes = value.is_array() ? value[0].get<std::string>() : value.get<std::string>();
        EXPECT_EQ(bytes, c.bytes);
    }
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
    struct Case {
        const char* name;
        Json value;
        std::string printed;
    };
    const Case cases[] = {
        {"whole double without fraction", Json(10.0), "10"},
        {"negative whole", Json(-3.0), "-3"},
        {"negative zero", Json(-0.0), "0"},
        {"fraction shortest", Json(0.1), "0.1"},
        {"large", Json(4294967295.0), "4294967295"},
        {"not finite", Json(std::numeric_limits<double>::infinity()), "null"},
        {"integer", Json(42), "42"},
        {"null and Booleans", Json::array({nullptr, true, false}), "[null, true, false]"},
        {"empty array", Json::array(), "[]"},
        {"object keeps its order", Json{{"result", nullptr}, {"args", Json::array({1, "a"})}},
         R"({"result": null, "args": [1, "a"]})"},
        {"empty object", Json::object(), "{}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(writeByteJson(c.value), c.printed);
    }
}

TEST(ByteJsonTest, VariantsCrossBothWays) {
    struct Case {
        const char* name;
        Variant variant;
        std::string printed;
    };
    const Case cases[] = {
        {"empty", Variant(), "null"},       {"missing prints as null", Variant::missing(), "null"},
        {"number", Variant(2.5), "2.5"},    {"text", Variant("\xb0"), "\"\xc2\xb0\""},
        {"Boolean", Variant(true), "true"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
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
        const char* name;
        std::string line;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"bare words and blanks", "  Wert  1\t2 ", {"Wert", "1", "2"}},
        {"string with blanks",
         R"(:get "Toolbar2/GarTrip Starten" tooltip)",
         {":get", R"("Toolbar2/GarTrip Starten")", "tooltip"}},
        {"escaped quote inside", R"(Wert "a\" b" x)", {"Wert", R"("a\" b")", "x"}},
        {"array with strings holding brackets",
         R"(X [1, "]", {"k": "}"}] y)",
         {"X", R"([1, "]", {"k": "}"}])", "y"}},
        {"nothing", "   ", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
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
