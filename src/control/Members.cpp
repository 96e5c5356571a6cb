#include "control/Members.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "control/VeltoraControl.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace pelmark {

namespace {

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

// What each passing is in the table, and how the call hands a slot's argument over.
#define PELMARK_DESCRIBE_Ref(name)                                                                           \
    Parameter {                                                                                              \
#name, ParameterType::Variant, true, false                                                           \
    }
#define PELMARK_DESCRIBE_Opt(name)                                                                           \
    Parameter {                                                                                              \
#name, ParameterType::Variant, true, true                                                            \
    }
#define PELMARK_DESCRIBE_Enum(name)                                                                          \
    Parameter {                                                                                              \
#name, ParameterType::TagEnum, true, false                                                           \
    }
#define PELMARK_DESCRIBE_Dbl(name)                                                                           \
    Parameter {                                                                                              \
#name, ParameterType::Double, false, false                                                           \
    }
#define PELMARK_ARGUMENT_Ref(i) a[i]
#define PELMARK_ARGUMENT_Opt(i) a[i]
#define PELMARK_ARGUMENT_Enum(i) a[i]
#define PELMARK_ARGUMENT_Dbl(i) a[i].asNumber()
#define PELMARK_RESULT_TYPE_Variant R::Variant
#define PELMARK_RESULT_TYPE_bool R::Boolean
#define PELMARK_RESULT_TYPE_void R::None
#define PELMARK_RESULT_Variant(call) call
#define PELMARK_RESULT_bool(call) Variant(call)
#define PELMARK_RESULT_void(call) (call, Variant())
#define PELMARK_ROW0(slot, name, kind, id, result)                                                           \
    member(slot, #name, K::kind, id, PELMARK_RESULT_TYPE_##result,                                           \
           [](C& c, A&) { return PELMARK_RESULT_##result(c.name()); }),
#define PELMARK_ROW1(slot, name, kind, id, result, p1, n1)                                                   \
    member(                                                                                                  \
        slot, #name, K::kind, id, PELMARK_RESULT_TYPE_##result,                                              \
        [](C& c, A& a) { return PELMARK_RESULT_##result(c.name(PELMARK_ARGUMENT_##p1(0))); },                \
        {PELMARK_DESCRIBE_##p1(n1)}, 1),
#define PELMARK_ROW2(slot, name, kind, id, result, p1, n1, p2, n2)                                           \
    member(                                                                                                  \
        slot, #name, K::kind, id, PELMARK_RESULT_TYPE_##result,                                              \
        [](C& c, A& a) {                                                                                     \
            return PELMARK_RESULT_##result(c.name(PELMARK_ARGUMENT_##p1(0), PELMARK_ARGUMENT_##p2(1)));      \
        },                                                                                                   \
        {PELMARK_DESCRIBE_##p1(n1), PELMARK_DESCRIBE_##p2(n2)}, 2),

constexpr std::array<Member, kMemberSlots> kMembers{
    {property(0, "Anzahl", K::PropertyGet, 0x40030011, kGetAnzahl),
     property(1, "Anzahl", K::PropertyLet, 0x40030011, kLetAnzahl),
     property(2, "Anzahl", K::PropertySet, 0x40030011, kLetAnzahl),
     property(3, "GARTripPath", K::PropertyGet, 0x40030012, kGetGARTripPath),
     property(4, "GARTripPath", K::PropertyLet, 0x40030012, kLetGARTripPath),
     property(5, "GARTripPath", K::PropertySet, 0x40030012, kLetGARTripPath),
     PELMARK_METHODS(PELMARK_ROW0, PELMARK_ROW1, PELMARK_ROW2)}};

constexpr bool slotsInOrder() {
    for (std::size_t i = 0; i < kMembers.size(); ++i)
        if (kMembers[i].slot != static_cast<int>(i)) return false;
    return true;
}
static_assert(slotsInOrder(), "the list gives the members in slot order");

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
