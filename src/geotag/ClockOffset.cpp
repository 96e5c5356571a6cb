#include "geotag/ClockOffset.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "track/TrackTime.h"

#include <cmath>

namespace pelmark {

namespace {

// A field of the EXIF time by its 1-based character position, read the way the offset is read; a
// field that lies beyond the end of a short text reads as 0.
double exifField(std::string_view text, std::size_t firstPosition, std::size_t length) {
    if (firstPosition > text.size()) return 0;
    return leadingNumber(text.substr(firstPosition - 1, length));
}

double daySeconds(double day, double hour, double minute, double second) {
    return day * 3600 * 24 + hour * 3600 + minute * 60 + second;
}

} // namespace

MonthSeconds photoMonthSeconds(std::string_view exifTime, double shiftSeconds, bool cameraAhead) {
    MonthSeconds photo;
    photo.year = exifField(exifTime, 1, 4);
    photo.month = exifField(exifTime, 6, 2);
    const double day = exifField(exifTime, 9, 2);
    const double hour = exifField(exifTime, 12, 2);
    const double minute = exifField(exifTime, 15, 2);
    double second = exifField(exifTime, 18, 2);
    second += cameraAhead ? -shiftSeconds : shiftSeconds;
    photo.seconds = daySeconds(day, hour, minute, second);
    return photo;
}

MonthSeconds pointMonthSeconds(std::uint32_t trackTime) {
    const CalendarTime track = trackTimeFields(trackTime);
    return {double(track.year), double(track.month),
            daySeconds(track.day, track.hour + 1, track.minute, track.second)};
}

double clockDifference(std::string_view exifTime, std::uint32_t trackTime, double shiftSeconds,
                       bool cameraAhead) {
    const MonthSeconds point = pointMonthSeconds(trackTime);
    const MonthSeconds photo = photoMonthSeconds(exifTime, shiftSeconds, cameraAhead);
    if (photo.year != point.year || photo.month != point.month) return kDifferentMonth;
    return std::fabs(photo.seconds - point.seconds);
}

double ClockOffset::shiftSeconds() const {
    return leadingNumber(context_.surface.text(ElementId::KameraShift));
}

bool ClockOffset::cameraAhead() const {
    return context_.surface.value(ElementId::KameraVor) != 0;
}

Variant ClockOffset::DiffExifTrackTime(const Variant& exifTime, const Variant& trackPointTime) const {
    const char separator = context_.platform.decimalSeparator();
    // A point's time is a whole number of seconds; a fraction from a host rounds as any whole-number
    // parameter does.
    const double seconds = roundHalfEven(numberOf(trackPointTime, separator));
    if (!(seconds >= 0 && seconds <= 4294967295.0))
        throw PelmarkError(ErrorKind::Overflow, "no track time: " + textOf(trackPointTime, separator));
    const double difference = clockDifference(
        textOf(exifTime, separator), static_cast<std::uint32_t>(seconds), shiftSeconds(), cameraAhead());
    // A shift such as "1e400" makes no difference a number can hold; nothing (null) means no answer.
    if (!std::isfinite(difference)) throw PelmarkError(ErrorKind::Overflow, "Overflow: no time difference");
    return difference;
}

} // namespace pelmark
