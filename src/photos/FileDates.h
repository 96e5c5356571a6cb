#pragma once

#include "base/Variant.h"
#include "platform/Platform.h"
#include "surface/Context.h"

#include <array>
#include <cstdint>
#include <string>

namespace pelmark {

class PhotoLoader;
class TagQuery;

// A calendar time in the platform's system-time layout: year, month, day of week, day, hour, minute,
// second, milliseconds. The day of week is never set and never read.
struct SystemTime {
    std::int16_t year = 0, month = 0, dayOfWeek = 0, day = 0, hour = 0, minute = 0, second = 0,
                 milliseconds = 0;
};

// The calendar time as a file time; nothing for a record that names no valid time.
bool systemTimeToFileTime(const SystemTime& time, FileTime& fileTime);

// Fills the record from an EXIF date text "YYYY:MM:DD HH:MM:SS[.SSS]" read as two hours ahead of
// universal time. Pieces are read at fixed positions; a borrowed hour takes a day off without a carry,
// so the first of a month can give day 0. Throws PelmarkError (Overflow) for a piece too large for the
// record.
SystemTime systemTimeOfExifDate(const std::string& date);

// `DatumSetzen`: a photo file's creation, access and write times from its three EXIF dates. The record
// and the three file-time values are kept between calls, as the control keeps them.
class FileDates {
public:
    FileDates(Context& context, PhotoLoader& loader, TagQuery& tags);

    // Leaves paths that are not local and absolute alone; a photo that cannot be loaded is an error,
    // a file whose times cannot be set keeps them silently.
    void datumSetzen(const Variant& path);

private:
    Context& context_;
    PhotoLoader& loader_;
    TagQuery& tags_;
    SystemTime record_;
    std::array<FileTime, 3> times_{}; // creation, last access, last write
};

} // namespace pelmark
