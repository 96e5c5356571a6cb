#include "control/Members.h"

#include "base/Error.h"
#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <algorithm>
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

// A call that does not fit the member's signature is refused with the kind of error given; one that fits
// leaves in the caller's variables the filled-in list the member received (optionals left out arrive as
// missing, and parameters taken by value are not written back).
TEST(MembersTest, CallsAreFittedToTheSignature) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    using enum ErrorKind;
    const Variant m = Variant::missing();
    struct Case {
        const char* name;
        std::string member;
        std::vector<Variant> args;
        std::optional<ErrorKind> refused;
        std::vector<Variant> after = {};
    };
    const Case cases[] = {
        {"unknown member", "Zaehler", {}, InvalidArgument},
        {"names are case-sensitive", "anzahl", {}, InvalidArgument},
        {"property with two values", "Anzahl", {1, 2}, InvalidArgument},
        {"too few", "DiffExifTrackTime", {"a"}, InvalidArgument},
        {"too many", "PhotoCount", {1}, InvalidArgument},
        {"one beyond the optionals", "Wert", {"a", "II", 3}, InvalidArgument},
        {"required left out", "FileExist", {m}, InvalidArgument},
        {"value of a property left out", "GARTripPath", {m}, InvalidArgument},
        {"text for the double", "BinarWert", {"zwei", 8}, TypeMismatch},
        {"missing for the double", "BinarWert", {m, 8}, InvalidArgument},
        {"text for the enumeration", "TagExif", {"Maker"}, TypeMismatch},
        {"enumeration beyond 32 bits", "TagExif", {5e9}, Overflow},
        {"the double stays a text", "BinarWert", {"12", 2}, std::nullopt, {"12", 2}},
        {"a property's value", "Anzahl", {41}, std::nullopt, {41}},
        {"TagExif without BildNr", "TagExif", {0}, std::nullopt, {0, m}},
        {"Wert without IIMM", "Wert", {"\x01"}, std::nullopt, {"\x01", m}},
        {"explicit missing kept", "TagExif", {8, m}, std::nullopt, {8, m}},
        {"enumeration rounded half to even", "TagExif", {2.5}, std::nullopt, {2, m}},
        {"enumeration from a numeric text", "TagExif", {" 9 "}, std::nullopt, {9, m}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto args = c.args;
        auto kind = errorOf(control, c.member, args);
        if (c.refused) {
            EXPECT_EQ(kind, c.refused);
            continue;
        }
        EXPECT_NE(kind, InvalidArgument);
        EXPECT_NE(kind, TypeMismatch);
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
        {"OpenGarTrip", {"x.wp"}, [](auto& c, auto& a) { return c.OpenGarTrip(a[0]), Variant(); }},
        {"PrintWayPointList", {}, [](auto& c, auto&) { return c.PrintWayPointList(), Variant(); }},
        {"SearchAllTrackFiles", {}, [](auto& c, auto&) { return c.SearchAllTrackFiles(); }},
        {"ReferencePhoto", {}, [](auto& c, auto&) { return c.ReferencePhoto(); }},
        {"DatumSetzen", {path}, [](auto& c, auto& a) { return c.DatumSetzen(a[0]), Variant(); }},
        {"FotoPrint", {}, [](auto& c, auto&) { return c.FotoPrint(); }},
        {"BildInBox", {path}, [](auto& c, auto& a) { return c.BildInBox(a[0]), Variant(); }},
        {"LoadPictures", {path}, [](auto& c, auto& a) { return c.LoadPictures(a[0]), Variant(); }},
        {"OpenFolder", {path}, [](auto& c, auto& a) { return c.OpenFolder(a[0]), Variant(); }},
    };
    // Every name of the table has its row.
    for (const Member& member : members())
        EXPECT_TRUE(std::any_of(std::begin(cases), std::end(cases), [&](const Case& c) {
            return c.name == member.name;
        })) << member.name;
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
    std::vector<Variant> none, count{41}, path{"/opt/gartrip/gartrip"};
    EXPECT_TRUE(invoke(control, "Anzahl", none).isEmpty()) << "no track loaded yet";
    EXPECT_TRUE(invoke(control, "Anzahl", count).isEmpty());
    EXPECT_EQ(invoke(control, "Anzahl", none), Variant(41));
    invoke(control, "GARTripPath", path);
    EXPECT_EQ(control.GARTripPath(), Variant("/opt/gartrip/gartrip"));
}

} // namespace
} // namespace pelmark
