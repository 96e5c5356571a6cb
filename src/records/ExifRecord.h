#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace pelmark {

// The EXIF values of one photo, as the control shows them: texts in the form the fields show, the two
// flash flags and the exposure program's item number. The matching run's `GPSAlt` and the user's
// `GPSLat`/`GPSLon` belong to the record too, as the tag query answers from them.
enum class ExifField {
    DateOriginal,  // DateTimeOriginal, then "." and SubSecTimeOriginal
    DateDigitized, // DateTimeDigitized, then "." and SubSecTimeDigitized
    DateModified,  // DateTime, then "." and SubSecTime
    Description,
    Maker,
    Model,
    Firmware,
    MakerNote,
    UserComment,
    ExposureTime,
    FNumber,
    ShutterSpeed,
    FlashValue,
    ExifVersion,
    SubDirectoryPosition,
    GpsDirectoryPosition,
    GpsLatitude,
    GpsLongitude,
    GpsAltitude,
    // Not texts:
    ExposureProgram,   // the item number 1..8 of the exposure-program list, 0 for none
    Flash,             // 1 when the flash fired
    StrobeReturnLight, // 1 when its return light was detected
};
inline constexpr std::size_t kExifFieldCount = 22;
inline constexpr std::size_t kExifTextCount = 19;

inline bool isText(ExifField field) {
    return static_cast<std::size_t>(field) < kExifTextCount;
}

// The items of the exposure-program list, "1 - Manual Control" to "8 - Landscape Mode".
inline constexpr int kExposureProgramItems = 8;

// The counts a parse keeps beside the fields.
enum class ExifCount { Recognised, Entries, SubRecognised };

struct ExifRecord {
    std::array<std::string, kExifTextCount> texts;
    int exposureProgram = 0;
    int flash = 0;
    int strobeReturnLight = 0;
    std::array<long long, 3> counts{};

    std::string& text(ExifField field) { return texts[static_cast<std::size_t>(field)]; }
    const std::string& text(ExifField field) const { return texts[static_cast<std::size_t>(field)]; }
    int& number(ExifField field) {
        return field == ExifField::Flash               ? flash
               : field == ExifField::StrobeReturnLight ? strobeReturnLight
                                                       : exposureProgram;
    }
    long long& count(ExifCount which) { return counts[static_cast<std::size_t>(which)]; }
    long long count(ExifCount which) const { return counts[static_cast<std::size_t>(which)]; }

    // Empties one field: no text, or 0.
    void clear(ExifField field) {
        if (isText(field))
            text(field).clear();
        else
            number(field) = 0;
    }
};

} // namespace pelmark
