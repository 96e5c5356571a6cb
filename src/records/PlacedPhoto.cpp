#include "records/PlacedPhoto.h"

#include <chrono>
#include <cstdio>

namespace pelmark {

std::string utcTimeText(std::int64_t utcSeconds) {
    using namespace std::chrono;
    const sys_seconds at{seconds{utcSeconds}};
    const sys_days day = floor<days>(at);
    const year_month_day date{day};
    const hh_mm_ss clock{at - day};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02lldZ", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), long(clock.hours().count()),
                  long(clock.minutes().count()), static_cast<long long>(clock.seconds().count()));
    return text;
}

} // namespace pelmark
