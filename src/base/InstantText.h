#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelmark {

// Instants as seconds since 1970-01-01 00:00:00 UTC (a double: a GPX time may carry a fraction, and a
// double holds milliseconds exactly enough for centuries), and the texts they are written in.

// An ISO 8601 date and time "YYYY-MM-DDTHH:MM:SS", an optional fraction, then "Z", "+HH:MM", "-HH:MM"
// or "+HHMM". Without a zone the time is read as UTC when `zoneRequired` is false (a GPX file's times
// are UTC by definition) and refused otherwise. Nothing for any other text, or a date or time no
// calendar has (February 30, 25:00); a leap second 60 is refused too, as no track logs one.
std::optional<double> isoInstant(std::string_view text, bool zoneRequired = false);

// An EXIF date and time "YYYY:MM:DD HH:MM:SS", optionally followed by "." and the sub-second digits, as
// seconds since 1970-01-01 00:00:00 on the camera's own clock: the instant it would be if the camera
// ran on UTC. Nothing for an empty or malformed text, or an impossible date.
std::optional<double> exifClockSeconds(std::string_view text);

// An EXIF offset tag's "+HH:MM" or "-HH:MM" as seconds east of UTC; nothing for anything else (the
// tag's "   :  " for unknown included).
std::optional<int> utcOffsetSeconds(std::string_view text);

// "2003-06-14T03:02:10Z", with milliseconds when the instant has a fraction of a second.
std::string isoText(double utcSeconds);

// "+02:00", "-05:30", "+00:00".
std::string zoneOffsetText(int secondsEast);

} // namespace pelmark
