#include "base/InstantText.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace pelmark {

namespace {

// Reads exactly `count` digits at `at`; nothing when any of them is no digit.
std::optional<int> digits(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t k = at; k < at + count; ++k) {
        if (text[k] < '0' || text[k] > '9') return std::nullopt;
        value = value * 10 + (text[k] - '0');
    }
    return value;
}

// The date and time of the first 19 characters, with `dateMark` between the date's fields and `timeMark`
// between date and time, as seconds on a clock that counts from 1970-01-01; nothing for an impossible
// date or time.
std::optional<double> calendarSeconds(std::string_view text, char dateMark, char timeMark) {
    if (text.size() < 19 || text[4] != dateMark || text[7] != dateMark || text[10] != timeMark ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const auto y = digits(text, 0, 4), mo = digits(text, 5, 2), d = digits(text, 8, 2);
    const auto h = digits(text, 11, 2), mi = digits(text, 14, 2), s = digits(text, 17, 2);
    if (!y || !mo || !d || !h || !mi || !s || *h > 23 || *mi > 59 || *s > 59) return std::nullopt;
    using namespace std::chrono;
    const year_month_day date{year{*y} / month{static_cast<unsigned>(*mo)} / day{static_cast<unsigned>(*d)}};
    if (!date.ok()) return std::nullopt;
    const auto days = sys_days{date}.time_since_epoch().count();
    return static_cast<double>(days) * 86400 + *h * 3600 + *mi * 60 + *s;
}

// A fraction of a second: "." and digits at `at`; answers the fraction and moves `at` past it.
double fractionAt(std::string_view text, std::size_t& at) {
    if (at >= text.size() || text[at] != '.') return 0;
    ++at;
    double fraction = 0, scale = 0.1;
    const std::size_t first = at;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, scale /= 10)
        fraction += (text[at] - '0') * scale;
    if (at == first) at = first - 1; // a lone point is no fraction
    return fraction;
}

// "+HH:MM", "-HH:MM" or "+HHMM" as the whole of `text`.
std::optional<int> offsetOf(std::string_view text) {
    if (text.size() != 6 && text.size() != 5) return std::nullopt;
    if (text[0] != '+' && text[0] != '-') return std::nullopt;
    const bool colon = text.size() == 6;
    if (colon && text[3] != ':') return std::nullopt;
    const auto h = digits(text, 1, 2), m = digits(text, colon ? 4 : 3, 2);
    if (!h || !m || *h > 23 || *m > 59) return std::nullopt;
    const int seconds = *h * 3600 + *m * 60;
    return text[0] == '-' ? -seconds : seconds;
}

} // namespace

std::optional<double> isoInstant(std::string_view text, bool zoneRequired) {
    const auto clock = calendarSeconds(text, '-', 'T');
    if (!clock) return std::nullopt;
    std::size_t at = 19;
    const double fraction = fractionAt(text, at);
    const std::string_view zone = text.substr(at);
    if (zone == "Z") return *clock + fraction;
    if (zone.empty()) return zoneRequired ? std::nullopt : std::optional<double>(*clock + fraction);
    const auto east = offsetOf(zone);
    if (!east) return std::nullopt;
    return *clock + fraction - *east;
}

std::optional<double> exifClockSeconds(std::string_view text) {
    const auto clock = calendarSeconds(text, ':', ' ');
    if (!clock) return std::nullopt;
    std::size_t at = 19;
    const double fraction = fractionAt(text, at);
    return *clock + fraction;
}

std::optional<int> utcOffsetSeconds(std::string_view text) {
    // The tag is a text with its zero; some writers pad it with blanks.
    while (!text.empty() && (text.back() == '\0' || text.back() == ' '))
        text.remove_suffix(1);
    return text.size() == 6 ? offsetOf(text) : std::nullopt;
}

std::string isoText(double utcSeconds) {
    using namespace std::chrono;
    const auto total = std::llround(utcSeconds * 1000);
    const long long whole = total >= 0 ? total / 1000 : (total - 999) / 1000;
    const auto milliseconds = static_cast<int>(total - whole * 1000);
    const sys_seconds at{seconds{whole}};
    const sys_days day = floor<days>(at);
    const year_month_day date{day};
    const hh_mm_ss clock{at - day};
    char text[48];
    const int length =
        std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02ld", int(date.year()),
                      unsigned(date.month()), unsigned(date.day()), long(clock.hours().count()),
                      long(clock.minutes().count()), long(clock.seconds().count()));
    std::string result(text, static_cast<std::size_t>(length));
    if (milliseconds != 0) {
        std::snprintf(text, sizeof text, ".%03d", milliseconds);
        result += text;
    }
    return result + "Z";
}

std::string zoneOffsetText(int secondsEast) {
    const int size = secondsEast < 0 ? -secondsEast : secondsEast;
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d:%02d", secondsEast < 0 ? '-' : '+', size / 3600, size / 60 % 60);
    return text;
}

} // namespace pelmark
