#include "control/Members.h"

#include "base/Error.h"
#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace pelmark {
namespace {

// Runs a call and answers the kind of error it threw, if any.
std::optional<ErrorKind> errorOf(VeltoraControl& control, const std::string& name,
                                 std::vector<Variant>& args) {
    try {
        invoke(control, name, args);
    } catch (const PelmarkError& error) {
        return error.kind();
    }
    return std::nullopt;
}

TEST(MembersTest, SlotsFollowTheInterfaceOrder) {
    struct Row {
        const char* name;
        MemberKind kind;
        std::uint32_t id;
        int parameters;
        int required;
    };
    // The binding order of the dispatch interface, with ids and arities.
    const Row expected[] = {
        {"Anzahl", MemberKind::PropertyGet, 0x40030011, 0, 0},
        {"Anzahl", MemberKind::PropertyLet, 0x40030011, 1, 1},
        {"Anzahl", MemberKind::PropertySet, 0x40030011, 1, 1},
        {"GARTripPath", MemberKind::PropertyGet, 0x40030012, 0, 0},
        {"GARTripPath", MemberKind::PropertyLet, 0x40030012, 1, 1},
        {"GARTripPath", MemberKind::PropertySet, 0x40030012, 1, 1},
        {"DiffExifTrackTime", MemberKind::Method, 0x60030006, 2, 2},
        {"BildInBox", MemberKind::Method, 0x6003000D, 1, 0},
        {"OpenGarTrip", MemberKind::Method, 0x60030013, 1, 1},
        {"PrintWayPointList", MemberKind::Method, 0x60030014, 0, 0},
        {"BinarWert", MemberKind::Method, 0x60030015, 2, 2},
        {"SearchAllTrackFiles", MemberKind::Method, 0x60030016, 0, 0},
        {"ReferencePhoto", MemberKind::Method, 0x60030018, 0, 0},
        {"Wert", MemberKind::Method, 0x60030019, 2, 1},
        {"LoadPictures", MemberKind::Method, 0x6003001B, 1, 0},
        {"OpenFolder", MemberKind::Method, 0x6003001C, 1, 0},
        {"FileExist", MemberKind::Method, 0x6003001F, 1, 1},
        {"DatumSetzen", MemberKind::Method, 0x60030021, 1, 1},
        {"PhotoPath", MemberKind::ReadOnlyProperty, 0x68030003, 1, 1},
        {"PhotoName", MemberKind::ReadOnlyProperty, 0x68030002, 1, 1},
        {"PhotoCount", MemberKind::ReadOnlyProperty, 0x68030001, 0, 0},
        {"FotoPrint", MemberKind::Method, 0x60030027, 0, 0},
        {"TagExif", MemberKind::ReadOnlyProperty, 0x68030000, 2, 1},
    };
    ASSERT_EQ(std::size(expected), members().size());
    for (std::size_t slot = 0; slot < members().size(); ++slot) {
        const Member& m = members()[slot];
        SCOPED_TRACE(expected[slot].name);
        EXPECT_EQ(m.slot, static_cast<int>(slot));
        EXPECT_EQ(m.name, expected[slot].name);
        EXPECT_EQ(m.kind, expected[slot].kind);
        EXPECT_EQ(m.dispatchId, expected[slot].id);
        EXPECT_EQ(m.parameterCount, expected[slot].parameters);
        EXPECT_EQ(m.requiredCount(), expected[slot].required);
    }
}

TEST(MembersTest, CallsThatDoNotFitTheSignatureAreRefused) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    struct Case {
        const char* name;
        std::string member;
        std::vector<Variant> args;
        ErrorKind kind;
    };
    const Case cases[] = {
        {"unknown member", "Zaehler", {}, ErrorKind::InvalidArgument},
        {"names are case-sensitive", "anzahl", {}, ErrorKind::InvalidArgument},
        {"property with two values", "Anzahl", {1, 2}, ErrorKind::InvalidArgument},
        {"too few", "DiffExifTrackTime", {"a"}, ErrorKind::InvalidArgument},
        {"too many", "PhotoCount", {1}, ErrorKind::InvalidArgument},
        {"one beyond the optionals", "Wert", {"a", "II", 3}, ErrorKind::InvalidArgument},
        {"required left out", "FileExist", {Variant::missing()}, ErrorKind::InvalidArgument},
        {"value of a property left out", "GARTripPath", {Variant::missing()}, ErrorKind::InvalidArgument},
        {"text for the double", "BinarWert", {"zwei", 8}, ErrorKind::TypeMismatch},
        {"missing for the double", "BinarWert", {Variant::missing(), 8}, ErrorKind::InvalidArgument},
        {"text for the enumeration", "TagExif", {"Maker"}, ErrorKind::TypeMismatch},
        {"enumeration beyond 32 bits", "TagExif", {5e9}, ErrorKind::Overflow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto args = c.args;
        EXPECT_EQ(errorOf(control, c.member, args), c.kind);
    }
}

TEST(MembersTest, OptionalsLeftOutArriveAsMissing) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    struct Case {
        const char* name;
        std::string member;
        std::vector<Variant> args;
        std::vector<Variant> after;
    };
    // Whatever each member does with them, the variables it received are the filled-in list.
    const Case cases[] = {
        {"TagExif without BildNr", "TagExif", {0}, {0, Variant::missing()}},
        {"Wert without IIMM", "Wert", {"\x01"}, {"\x01", Variant::missing()}},
        {"explicit missing kept", "TagExif", {8, Variant::missing()}, {8, Variant::missing()}},
        {"enumeration rounded half to even", "TagExif", {2.5}, {2, Variant::missing()}},
        {"enumeration from a numeric text", "TagExif", {" 9 "}, {9, Variant::missing()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto args = c.args;
        auto kind = errorOf(control, c.member, args);
        EXPECT_NE(kind, ErrorKind::InvalidArgument);
        EXPECT_NE(kind, ErrorKind::TypeMismatch);
        EXPECT_EQ(args, c.after);
    }
}

// What a call came to: its result and arguments afterwards, or the error it threw.
struct Outcome {
    Variant result;
    std::vector<Variant> args;
    std::string error;
    bool operator==(const Outcome&) const = default;
};

template <class Call>
Outcome outcomeOf(std::vector<Variant> args, Call call) {
    Outcome outcome;
    try {
        outcome.result = call(args);
    } catch (const PelmarkError& error) {
        outcome.error = error.what();
    }
    outcome.args = std::move(args);
    return outcome;
}

TEST(MembersTest, EachNameReachesItsOwnMember) {
    test::TempDir dir;
    fixtures::JpegExifWriter photo;
    photo.main(fixtures::asciiEntry(0x010F, "ACME Camera Works"))
        .main(fixtures::asciiEntry(0x0110, "Pocket"))
        .sub(fixtures::asciiEntry(0x9003, "2003:08:14 09:30:12"));
    const std::string path = dir.write("P1.JPG", photo.bytes());
    using Direct = std::function<Variant(VeltoraControl&, std::vector<Variant>&)>;
    struct Case {
        const char* name;
        std::vector<Variant> args;
        Direct direct;
    };
    const Variant m = Variant::missing();
    // Arguments chosen so that a member wired to its neighbour's slot would answer differently.
    const Case cases[] = {
        {"Anzahl", {}, [](auto& c, auto&) { return c.Anzahl(); }},
        {"GARTripPath", {}, [](auto& c, auto&) { return c.GARTripPath(); }},
        {"DiffExifTrackTime",
         {"2003:08:14 09:30:12", 429781687},
         [](auto& c, auto& a) { return c.DiffExifTrackTime(a[0], a[1]); }},
        {"BinarWert", {258, 2}, [](auto& c, auto& a) { return c.BinarWert(a[0].asNumber(), a[1]); }},
        {"Wert", {"\x01\x02", "MM"}, [](auto& c, auto& a) { return c.Wert(a[0], a[1]); }},
        {"FileExist", {path}, [](auto& c, auto& a) { return Variant(c.FileExist(a[0])); }},
        {"PhotoPath", {1}, [](auto& c, auto& a) { return c.PhotoPath(a[0]); }},
        {"PhotoName", {1}, [](auto& c, auto& a) { return c.PhotoName(a[0]); }},
        {"PhotoCount", {}, [](auto& c, auto&) { return c.PhotoCount(); }},
        {"TagExif", {8, m}, [](auto& c, auto& a) { return c.TagExif(a[0], a[1]); }},
        {"TagExif", {9, m}, [](auto& c, auto& a) { return c.TagExif(a[0], a[1]); }},
        {"OpenGarTrip",
         {"x.wp"},
         [](auto& c, auto& a) {
             c.OpenGarTrip(a[0]);
             return Variant();
         }},
        {"PrintWayPointList",
         {},
         [](auto& c, auto&) {
             c.PrintWayPointList();
             return Variant();
         }},
        {"SearchAllTrackFiles", {}, [](auto& c, auto&) { return c.SearchAllTrackFiles(); }},
        {"ReferencePhoto", {}, [](auto& c, auto&) { return c.ReferencePhoto(); }},
        {"DatumSetzen",
         {path},
         [](auto& c, auto& a) {
             c.DatumSetzen(a[0]);
             return Variant();
         }},
        {"FotoPrint", {}, [](auto& c, auto&) { return c.FotoPrint(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Two controls in the same state: one called by name, one directly.
        ScriptedPlatform byNamePlatform, directPlatform;
        VeltoraControl byName(byNamePlatform), direct(directPlatform);
        for (VeltoraControl* control : {&byName, &direct}) {
            Variant folder(path);
            control->OpenFolder(folder);
        }
        Outcome called = outcomeOf(c.args, [&](auto& a) { return invoke(byName, c.name, a); });
        Outcome expected = outcomeOf(c.args, [&](auto& a) { return c.direct(direct, a); });
        EXPECT_EQ(called, expected) << called.error << " / " << expected.error;
    }
}

TEST(MembersTest, PropertiesReadWithoutAndWriteWithOneValue) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    std::vector<Variant> none;
    EXPECT_TRUE(invoke(control, "Anzahl", none).isEmpty()) << "no track loaded yet";

    std::vector<Variant> value{41};
    EXPECT_TRUE(invoke(control, "Anzahl", value).isEmpty());
    EXPECT_EQ(value, std::vector<Variant>{41}) << "let takes its value by value";
    EXPECT_EQ(invoke(control, "Anzahl", none), Variant(41));

    std::vector<Variant> path{"/opt/gartrip/gartrip"};
    invoke(control, "GARTripPath", path);
    EXPECT_EQ(control.GARTripPath(), Variant("/opt/gartrip/gartrip"));
    EXPECT_EQ(invoke(control, "GARTripPath", none), Variant("/opt/gartrip/gartrip"));
}

TEST(MembersTest, DoubleParameterIsPassedByValue) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    // The caller's text stays a text even though the member received a number.
    std::vector<Variant> args{"12", 4};
    auto kind = errorOf(control, "BinarWert", args);
    EXPECT_NE(kind, ErrorKind::TypeMismatch);
    EXPECT_EQ(args[0], Variant("12"));
}

} // namespace
} // namespace pelmark
