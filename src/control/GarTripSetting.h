#pragma once

#include "base/Variant.h"
#include "platform/Platform.h"

#include <optional>

namespace pelmark {

// Where the GARtrip path is stored, and what it is when nothing is stored.
inline constexpr const char* kOptionsSection = "Options";
inline constexpr const char* kGarTripPathKey = "GARTripPath";
inline constexpr const char* kDefaultGarTripPath = "D:\\Programme\\GPS\\GARtrip\\Gartrip.exe";

// The control's public `GARTripPath`: the stored path, read from the settings store when it is first
// wanted rather than at start-up (most sessions never want it), or what the host or the user set since.
class GarTripPath {
public:
    explicit GarTripPath(Platform& platform) : platform_(platform) {}

    const Variant& get() const;
    void set(Variant value) { value_ = std::move(value); }

private:
    Platform& platform_;
    mutable std::optional<Variant> value_;
};

} // namespace pelmark
