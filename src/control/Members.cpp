#include "control/Members.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "control/VeltoraControl.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace pelmark {

namespace {

constexpr Parameter byRef(std::string_view name, bool optional = false) {
    return Parameter{name, ParameterType::Variant, true, optional};
}

constexpr Member property(int slot, std::string_view name, MemberKind kind, std::uint32_t id,
                          MemberCall call) {
    Member member{slot, name, kind, id, {}, 0, ResultType::None, call};
    if (kind == MemberKind::PropertyGet) {
        member.result = ResultType::Variant;
    } else {
        member.parameterSlots[0] = Parameter{"value", ParameterType::Variant, false, false};
        member.parameterCount = 1;
    }
    return member;
}

constexpr Member member(int slot, std::string_view name, MemberKind kind, std::uint32_t id, ResultType result,
                        MemberCall call, std::array<Parameter, 2> parameters = {}, int count = 0) {
    return Member{slot, name, kind, id, parameters, count, result, call};
}

using K = MemberKind;
using R = ResultType;
using C = VeltoraControl;
using A = std::vector<Variant>;

constexpr MemberCall kGetAnzahl = [](C& c, A&) { return c.Anzahl(); };
constexpr MemberCall kLetAnzahl = [](C& c, A& a) { return c.setAnzahl(a[0]), Variant(); };
constexpr MemberCall kGetGARTripPath = [](C& c, A&) { return c.GARTripPath(); };
constexpr MemberCall kLetGARTripPath = [](C& c, A& a) { return c.setGARTripPath(a[0]), Variant(); };

constexpr std::array<Member, kMemberSlots> kMembers{{
    property(0, "Anzahl", K::PropertyGet, 0x40030011, kGetAnzahl),
    property(1, "Anzahl", K::PropertyLet, 0x40030011, kLetAnzahl),
    property(2, "Anzahl", K::PropertySet, 0x40030011, kLetAnzahl),
    property(3, "GARTripPath", K::PropertyGet, 0x40030012, kGetGARTripPath),
    property(4, "GARTripPath", K::PropertyLet, 0x40030012, kLetGARTripPath),
    property(5, "GARTripPath", K::PropertySet, 0x40030012, kLetGARTripPath),
    member(
        6, "DiffExifTrackTime", K::Method, 0x60030006, R::Variant,
        [](C& c, A& a) { return c.DiffExifTrackTime(a[0], a[1]); },
        {byRef("ExifTime"), byRef("TrackPointTime")}, 2),
    member(
        7, "BildInBox", K::Method, 0x6003000D, R::None,
        [](C& c, A& a) { return c.BildInBox(a[0]), Variant(); }, {byRef("PictureLoadPath", true)}, 1),
    member(
        8, "OpenGarTrip", K::Method, 0x60030013, R::None,
        [](C& c, A& a) { return c.OpenGarTrip(a[0]), Variant(); }, {byRef("FileName")}, 1),
    member(9, "PrintWayPointList", K::Method, 0x60030014, R::None,
           [](C& c, A&) { return c.PrintWayPointList(), Variant(); }),
    member(
        10, "BinarWert", K::Method, 0x60030015, R::Variant,
        [](C& c, A& a) { return c.BinarWert(a[0].asNumber(), a[1]); },
        {Parameter{"WertDez", ParameterType::Double, false, false}, byRef("Length")}, 2),
    member(11, "SearchAllTrackFiles", K::Method, 0x60030016, R::Variant,
           [](C& c, A&) { return c.SearchAllTrackFiles(); }),
    member(12, "ReferencePhoto", K::Method, 0x60030018, R::Variant,
           [](C& c, A&) { return c.ReferencePhoto(); }),
    member(
        13, "Wert", K::Method, 0x60030019, R::Variant, [](C& c, A& a) { return c.Wert(a[0], a[1]); },
        {byRef("Binar"), byRef("IIMM", true)}, 2),
    member(
        14, "LoadPictures", K::Method, 0x6003001B, R::None,
        [](C& c, A& a) { return c.LoadPictures(a[0]), Variant(); }, {byRef("Pfad", true)}, 1),
    member(
        15, "OpenFolder", K::Method, 0x6003001C, R::None,
        [](C& c, A& a) { return c.OpenFolder(a[0]), Variant(); }, {byRef("Pfad", true)}, 1),
    member(
        16, "FileExist", K::Method, 0x6003001F, R::Boolean,
        [](C& c, A& a) { return Variant(c.FileExist(a[0])); }, {byRef("DateiName")}, 1),
    member(
        17, "DatumSetzen", K::Method, 0x60030021, R::None,
        [](C& c, A& a) { return c.DatumSetzen(a[0]), Variant(); }, {byRef("BildFile")}, 1),
    member(
        18, "PhotoPath", K::ReadOnlyProperty, 0x68030003, R::Variant,
        [](C& c, A& a) { return c.PhotoPath(a[0]); }, {byRef("PhotoNumber")}, 1),
    member(
        19, "PhotoName", K::ReadOnlyProperty, 0x68030002, R::Variant,
        [](C& c, A& a) { return c.PhotoName(a[0]); }, {byRef("PhotoNumber")}, 1),
    member(20, "PhotoCount", K::ReadOnlyProperty, 0x68030001, R::Variant,
           [](C& c, A&) { return c.PhotoCount(); }),
    member(21, "FotoPrint", K::Method, 0x60030027, R::Variant, [](C& c, A&) { return c.FotoPrint(); }),
    member(
        22, "TagExif", K::ReadOnlyProperty, 0x68030000, R::Variant,
        [](C& c, A& a) { return c.TagExif(a[0], a[1]); },
        {Parameter{"TagKind", ParameterType::TagEnum, true, false}, byRef("BildNr", true)}, 2),
}};

// A host's value as the typed parameter receives it, with the coercions an automation call makes: a
// numeric text or a Boolean becomes a number, anything else is a type mismatch.
Variant coerce(const Parameter& parameter, const Variant& value, char decimalSeparator) {
    if (parameter.type == ParameterType::Variant) return value;
    double number = numberOf(value, decimalSeparator);
    if (parameter.type == ParameterType::Double) return number;
    // An enumeration is a 32-bit integer: rounded as a conversion to a whole number rounds.
    double whole = roundHalfEven(number);
    if (!(whole >= -2147483648.0 && whole <= 2147483647.0))
        throw PelmarkError(ErrorKind::Overflow, std::string(parameter.name) + " is out of range");
    return whole;
}

} // namespace

int Member::requiredCount() const {
    auto params = parameters();
    return static_cast<int>(
        std::count_if(params.begin(), params.end(), [](const Parameter& p) { return !p.optional; }));
}

const std::array<Member, kMemberSlots>& members() {
    return kMembers;
}

const Member* findMember(std::string_view name, std::size_t argumentCount) {
    for (const Member& m : kMembers) {
        if (m.name != name) continue;
        if (m.kind == MemberKind::PropertyGet && argumentCount > 0) continue;
        if (m.kind == MemberKind::PropertySet) continue; // a variant holds no object: let serves
        return &m;
    }
    return nullptr;
}

const Member& checkCall(std::string_view name, const std::vector<Variant>& args) {
    const Member* m = findMember(name, args.size());
    if (m == nullptr) throw PelmarkError(ErrorKind::InvalidArgument, "unknown member: " + std::string(name));
    auto params = m->parameters();
    auto required = static_cast<std::size_t>(m->requiredCount());
    if (args.size() < required || args.size() > params.size()) {
        std::string expected = std::to_string(required);
        if (required != params.size()) expected += " to " + std::to_string(params.size());
        throw PelmarkError(ErrorKind::InvalidArgument, std::string(name) + " takes " + expected +
                                                           " argument(s), got " +
                                                           std::to_string(args.size()));
    }
    for (std::size_t i = 0; i < args.size(); ++i)
        if (args[i].isMissing() && !params[i].optional)
            throw PelmarkError(ErrorKind::InvalidArgument,
                               std::string(params[i].name) + " of " + std::string(name) + " is not optional");
    return *m;
}

Variant invoke(VeltoraControl& control, std::string_view name, std::vector<Variant>& args) {
    const Member& m = checkCall(name, args);
    auto params = m.parameters();
    args.resize(params.size(), Variant::missing());

    char separator = control.platform().decimalSeparator();
    std::vector<Variant> received(args.size());
    for (std::size_t i = 0; i < params.size(); ++i)
        received[i] = args[i].isMissing() ? args[i] : coerce(params[i], args[i], separator);

    // By-reference arguments are the caller's own variables, so what the member wrote before it failed
    // stays written; by-value ones stay as the caller gave them.
    auto writeBack = [&] {
        for (std::size_t i = 0; i < params.size(); ++i)
            if (params[i].byReference) args[i] = std::move(received[i]);
    };
    try {
        Variant result = m.call(control, received);
        writeBack();
        return result;
    } catch (...) {
        writeBack();
        throw;
    }
}

} // namespace pelmark
