#pragma once

#include <cstdint>
#include <string>

namespace pelmark {

// The calendar fields of a moment, as the track-time text shows them.
struct CalendarTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// A track point's time as shown to the user: 1989-12-31 00:00:00 plus `seconds`, plus one hour. The
// GPS clock counts from that date; the hour is how the receiver's times have always been shown here.
// Worked out on the proleptic Gregorian calendar, with no time zone involved.
CalendarTime trackTimeFields(std::uint32_t seconds);

// The same moment as text, DD.MM.YYYY HH:MM:SS ("31.12.1989 01:00:00" for 0).
std::string trackTimeText(std::uint32_t seconds);

} // namespace pelmark
