#include "control/GarTripSetting.h"

#include <string>

namespace pelmark {

const Variant& GarTripPath::get() const {
    if (!value_) {
        // A stored empty path stays empty: only a missing entry gives the default.
        auto stored = platform_.readSetting(kOptionsSection, kGarTripPathKey);
        value_ = Variant(stored ? *stored : std::string(kDefaultGarTripPath));
    }
    return *value_;
}

} // namespace pelmark
