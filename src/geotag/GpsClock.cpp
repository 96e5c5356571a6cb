#include "geotag/GpsClock.h"

#include <charconv>
#include <cmath>

namespace pelmark {

namespace {

constexpr double kDay = 24 * 3600;
// A point's time as the matching compares it is GPS time plus this.
constexpr double kComparedAhead = 2 * 3600;

// "HH:MM:SS" or "HH:MM" as seconds of the day, blanks around it allowed.
std::optional<double> secondsOfDay(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    int parts[3] = {0, 0, 0};
    std::size_t count = 0;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while (count < 3) {
        const auto [next, error] = std::from_chars(at, end, parts[count]);
        if (error != std::errc() || next - at > 2) return std::nullopt;
        ++count;
        at = next;
        if (at == end) break;
        if (*at++ != ':') return std::nullopt;
    }
    if (at != end || count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
    return parts[0] * 3600.0 + parts[1] * 60.0 + parts[2];
}

} // namespace

std::optional<CameraOffset> offsetFromGpsClock(std::string_view exifTime, std::string_view clockShown) {
    if (exifTime.size() < 19 || exifTime[4] != ':' || exifTime[7] != ':') return std::nullopt;
    const auto taken = secondsOfDay(exifTime.substr(11, 8));
    const auto shown = secondsOfDay(clockShown);
    if (!taken || !shown) return std::nullopt;
    double added = std::fmod(*shown + kComparedAhead - *taken, kDay);
    if (added > kDay / 2) added -= kDay;
    if (added <= -kDay / 2) added += kDay;
    return CameraOffset::fromAdded(added);
}

} // namespace pelmark
