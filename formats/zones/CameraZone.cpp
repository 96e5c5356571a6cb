#include "zones/CameraZone.h"

#include "base/Error.h"

#include <cmath>
#include <date/tz.h>

namespace pelmark {

CameraZone::CameraZone(const std::string& name) : name_(name) {
    try {
        zone_ = date::locate_zone(name);
    } catch (const std::exception&) {
        throw PelmarkError(ErrorKind::InvalidArgument,
                           "no time zone named \"" + name + "\" (an IANA name such as Europe/Berlin)");
    }
}

CameraZone::Instant CameraZone::utcOf(double clockSeconds) const {
    using namespace std::chrono;
    const double whole = std::floor(clockSeconds);
    const date::local_seconds local{seconds{static_cast<long long>(whole)}};
    // For a unique time `first` is the one answer; for the two kinds of change it is the offset that
    // was in force before the change, which is what both cases above take.
    const date::local_info info = zone_->get_info(local);
    const date::sys_info& before = info.first;
    const auto offset = static_cast<int>(before.offset.count());
    return {clockSeconds - offset, offset, before.abbrev};
}

} // namespace pelmark
