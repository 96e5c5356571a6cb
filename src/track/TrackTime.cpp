#include "track/TrackTime.h"

#include <cstdio>

namespace pelmark {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a civil date, and back (the era-based conversion, exact for every date).
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void civilFromDays(std::int64_t days, CalendarTime& out) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const unsigned month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const std::int64_t year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
    out.year = static_cast<int>(year);
    out.month = static_cast<int>(month);
    out.day = static_cast<int>(day);
}

} // namespace

CalendarTime trackTimeFields(std::uint32_t seconds) {
    static const std::int64_t kGpsEpochDay = daysFromCivil(1989, 12, 31);
    const std::int64_t total = static_cast<std::int64_t>(seconds) + 3600;
    CalendarTime out;
    civilFromDays(kGpsEpochDay + total / kSecondsPerDay, out);
    const std::int64_t ofDay = total % kSecondsPerDay;
    out.hour = static_cast<int>(ofDay / 3600);
    out.minute = static_cast<int>(ofDay / 60 % 60);
    out.second = static_cast<int>(ofDay % 60);
    return out;
}

std::string trackTimeText(std::uint32_t seconds) {
    const CalendarTime t = trackTimeFields(seconds);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour,
                  t.minute, t.second);
    return buffer;
}

} // namespace pelmark
