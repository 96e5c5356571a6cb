#pragma once

#include "base/Variant.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace pelmark {

class VeltoraControl;

enum class MemberKind { PropertyGet, PropertyLet, PropertySet, Method, ReadOnlyProperty };

// How an argument crosses the interface: most are variants; `BinarWert` takes a double by value and
// `TagExif` its kind as a `TagEnum`.
enum class ParameterType { Variant, Double, TagEnum };

enum class ResultType { None, Variant, Boolean };

struct Parameter {
    std::string_view name;
    ParameterType type = ParameterType::Variant;
    bool byReference = true;
    bool optional = false;
};

// How a slot reaches the control: the arguments arrive fitted to the signature (missing ones added,
// typed ones coerced) and by-reference ones are the caller's variables.
using MemberCall = Variant (*)(VeltoraControl&, std::vector<Variant>&);

// One slot of the control's dispatch interface. A property takes three slots (get, let, set) under
// one name. The table of slots is the one list of the members: the console, the widget's meta-object
// test and every call by name read it.
struct Member {
    int slot = 0;
    std::string_view name;
    MemberKind kind = MemberKind::Method;
    std::uint32_t dispatchId = 0;
    std::array<Parameter, 2> parameterSlots{};
    int parameterCount = 0;
    ResultType result = ResultType::None;
    MemberCall call = nullptr;

    std::span<const Parameter> parameters() const {
        return {parameterSlots.data(), static_cast<std::size_t>(parameterCount)};
    }
    int requiredCount() const;
};

inline constexpr std::size_t kMemberSlots = 23;

// The 23 slots in their fixed order.
const std::array<Member, kMemberSlots>& members();

// The slot a host reaches by this name with this many arguments: a property is read with none and
// written with one. Nothing for an unknown name.
const Member* findMember(std::string_view name, std::size_t argumentCount);

// The slot that a call of `name` with these arguments reaches. Throws PelmarkError (InvalidArgument) for
// an unknown member, a wrong argument count or a required argument given as missing: calls a host's
// automation layer would refuse before the member runs.
const Member& checkCall(std::string_view name, const std::vector<Variant>& args);

// Calls a public member by name as a host would. `args` are the caller's variables: trailing optional
// arguments left out are added as `Variant::missing()`, and by-reference arguments hold what the member
// wrote back when it returns. Throws PelmarkError for an unknown member, a wrong argument count, a
// required argument left out, an argument of the wrong type, or whatever the member itself throws.
Variant invoke(VeltoraControl& control, std::string_view name, std::vector<Variant>& args);

} // namespace pelmark
