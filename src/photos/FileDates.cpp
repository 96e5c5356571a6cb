#include "photos/FileDates.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "exif/TagEnum.h"
#include "exif/TagQuery.h"
#include "photos/PhotoLoader.h"

#include <cmath>

namespace pelmark {

namespace {

// The piece of `text` at 1-based positions first..first+length-1, as far as the text reaches, read as
// its leading number and rounded into the record's 16-bit integer.
std::int16_t pieceAt(const std::string& text, std::size_t first, std::size_t length) {
    std::string piece = first - 1 < text.size() ? text.substr(first - 1, length) : std::string();
    double whole = roundHalfEven(leadingNumber(piece));
    if (!(whole >= -32768.0 && whole <= 32767.0))
        throw PelmarkError(ErrorKind::Overflow, "date piece out of range: " + piece);
    return static_cast<std::int16_t>(whole);
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the given civil date (proleptic Gregorian calendar).
long long daysSinceUnixEpoch(long long year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned shiftedMonth = month > 2 ? month - 3 : month + 9; // March is month 0
    const unsigned dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

constexpr long long kTicksPerMillisecond = 10'000;
constexpr long long kTicksPerSecond = 10'000'000;
// 1601-01-01 to 1970-01-01.
constexpr long long kDaysBeforeUnixEpoch = 134'774;

// The EXIF kind each pass reads, in pass order; pass i sets file time i.
constexpr TagEnum kPassKinds[] = {TagEnum::DatumOriginal, TagEnum::DatumDigitized, TagEnum::DatumModified};

// The time of the platform the control was written for runs two hours ahead of universal time in
// summer; the dates are read that way whatever the season or the machine's zone.
constexpr int kHoursAheadOfUniversalTime = 2;

} // namespace

bool systemTimeToFileTime(const SystemTime& t, FileTime& fileTime) {
    if (t.year < 1601 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > daysInMonth(t.year, t.month) ||
        t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59 ||
        t.milliseconds < 0 || t.milliseconds > 999)
        return false;
    const long long days =
        daysSinceUnixEpoch(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) +
        kDaysBeforeUnixEpoch;
    const long long seconds = days * 86400 + t.hour * 3600LL + t.minute * 60LL + t.second;
    fileTime = static_cast<FileTime>(seconds * kTicksPerSecond + t.milliseconds * kTicksPerMillisecond);
    return true;
}

SystemTime systemTimeOfExifDate(const std::string& date) {
    SystemTime time;
    time.day = pieceAt(date, 9, 2);
    time.month = pieceAt(date, 6, 2);
    time.year = pieceAt(date, 1, 4);
    time.hour = static_cast<std::int16_t>(pieceAt(date, 12, 2) - kHoursAheadOfUniversalTime);
    if (time.hour < 0) {
        time.hour = static_cast<std::int16_t>(time.hour + 24);
        time.day = static_cast<std::int16_t>(time.day - 1);
    }
    time.minute = pieceAt(date, 15, 2);
    time.second = pieceAt(date, 18, 2);
    // Sub-seconds follow the point as whole milliseconds: ".5" is 5 ms, as the digits are read.
    time.milliseconds = pieceAt(date, 21, 3);
    return time;
}

FileDates::FileDates(Context& context, PhotoLoader& loader, TagQuery& tags)
    : context_(context), loader_(loader), tags_(tags) {}

void FileDates::datumSetzen(const Variant& path) {
    const std::string file =
        path.isMissing() ? std::string() : textOf(path, context_.platform.decimalSeparator());
    // Only a local absolute path: a relative one depends on where the program stands, and one starting
    // with two separators names a network share.
    if (file.empty() || file[0] != '/' || file.compare(0, 2, "//") == 0) return;

    // A load that a Stop cut short, or a newer load took over, leaves empty or another photo's dates
    // in the fields: this file gets none of them.
    if (!loader_.loadPictures(Variant(file)) || context_.stop.requested()) return;
    for (std::size_t pass = 0; pass < times_.size(); ++pass) {
        record_ = systemTimeOfExifDate(tags_.answer(static_cast<double>(kPassKinds[pass])));
        // A date that names no valid time leaves the value of the last conversion in place.
        systemTimeToFileTime(record_, times_[pass]);
        context_.platform.setFileTimes(file, times_[0], times_[1], times_[2]);
    }
}

} // namespace pelmark
