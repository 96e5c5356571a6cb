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

constexpr Member property(int slot, std::string_view name, MemberKind kind, std::uint32_t id) {
    Member member{slot, name, kind, id, {}, 0, ResultType::None};
    if (kind == MemberKind::PropertyGet) {
        member.result = ResultType::Variant;
    } else {
        member.parameterSlots[0] = Parameter{"value", ParameterType::Variant, false, false};
        member.parameterCount = 1;
    }
    return member;
}

constexpr Member member(int slot, std::string_view name, MemberKind kind, std::uint32_t id, ResultType result,
                        std::array<Parameter, 2> parameters = {}, int count = 0) {
    return Member{slot, name, kind, id, parameters, count, result};
}

using K = MemberKind;
using R = ResultType;

constexpr std::array<Member, kMemberSlots> kMembers{{
    property(0, "Anzahl", K::PropertyGet, 0x40030011),
    property(1, "Anzahl", K::PropertyLet, 0x40030011),
    property(2, "Anzahl", K::PropertySet, 0x40030011),
    property(3, "GARTripPath", K::PropertyGet, 0x40030012),
    property(4, "GARTripPath", K::PropertyLet, 0x40030012),
    property(5, "GARTripPath", K::PropertySet, 0x40030012),
    member(6, "DiffExifTrackTime", K::Method, 0x60030006, R::Variant,
           {byRef("ExifTime"), byRef("TrackPointTime")}, 2),
    member(7, "BildInBox", K::Method, 0x6003000D, R::None, {byRef("PictureLoadPath", true)}, 1),
    member(8, "OpenGarTrip", K::Method, 0x60030013, R::None, {byRef("FileName")}, 1),
    member(9, "PrintWayPointList", K::Method, 0x60030014, R::None),
    member(10, "BinarWert", K::Method, 0x60030015, R::Variant,
           {Parameter{"WertDez", ParameterType::Double, false, false}, byRef("Length")}, 2),
    member(11, "SearchAllTrackFiles", K::Method, 0x60030016, R::Variant),
    member(12, "ReferencePhoto", K::Method, 0x60030018, R::Variant),
    member(13, "Wert", K::Method, 0x60030019, R::Variant, {byRef("Binar"), byRef("IIMM", true)}, 2),
    member(14, "LoadPictures", K::Method, 0x6003001B, R::None, {byRef("Pfad", true)}, 1),
    member(15, "OpenFolder", K::Method, 0x6003001C, R::None, {byRef("Pfad", true)}, 1),
    member(16, "FileExist", K::Method, 0x6003001F, R::Boolean, {byRef("DateiName")}, 1),
    member(17, "DatumSetzen", K::Method, 0x60030021, R::None, {byRef("BildFile")}, 1),
    member(18, "PhotoPath", K::ReadOnlyProperty, 0x68030003, R::Variant, {byRef("PhotoNumber")}, 1),
    member(19, "PhotoName", K::ReadOnlyProperty, 0x68030002, R::Variant, {byRef("PhotoNumber")}, 1),
    member(20, "PhotoCount", K::ReadOnlyProperty, 0x68030001, R::Variant),
    member(21, "FotoPrint", K::Method, 0x60030027, R::Variant),
    member(22, "TagExif", K::ReadOnlyProperty, 0x68030000, R::Variant,
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

Variant call(VeltoraControl& control, const Member& m, std::vector<Variant>& a) {
    switch (m.slot) {
    case 0:
    case 3:
        return m.slot == 0 ? control.Anzahl() : control.GARTripPath();
    case 1:
    case 2:
        control.setAnzahl(a[0]);
        return {};
    case 4:
    case 5:
        control.setGARTripPath(a[0]);
        return {};
    case 6:
        return control.DiffExifTrackTime(a[0], a[1]);
    case 7:
        control.BildInBox(a[0]);
        return {};
    case 8:
        control.OpenGarTrip(a[0]);
        return {};
    case 9:
        control.PrintWayPointList();
        return {};
    case 10:
        return control.BinarWert(a[0].asNumber(), a[1]);
    case 11:
        return control.SearchAllTrackFiles();
    case 12:
        return control.ReferencePhoto();
    case 13:
        return control.Wert(a[0], a[1]);
    case 14:
        control.LoadPictures(a[0]);
        return {};
    case 15:
        control.OpenFolder(a[0]);
        return {};
    case 16:
        return control.FileExist(a[0]);
    case 17:
        control.DatumSetzen(a[0]);
        return {};
    case 18:
        return control.PhotoPath(a[0]);
    case 19:
        return control.PhotoName(a[0]);
    case 20:
        return control.PhotoCount();
    case 21:
        return control.FotoPrint();
    case 22:
        return control.TagExif(a[0], a[1]);
    default:
        throw PelmarkError(ErrorKind::InvalidArgument, "no member in slot " + std::to_string(m.slot));
    }
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
        Variant result = call(control, m, received);
        writeBack();
        return result;
    } catch (...) {
        writeBack();
        throw;
    }
}

} // namespace pelmark
