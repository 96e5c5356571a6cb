#pragma once

#include "records/ExifRecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace pelmark {

// What a recognised entry does to the fields.
enum class TagEffect {
    Nothing,            // recognised; nothing shown
    Text,               // the field = the value as text
    AppendSubSecond,    // the field = its text, ".", the value as text
    SubDirectoryOffset, // remembered for the second pass, and shown in hexadecimal
    Offset,             // shown in hexadecimal
    ExposureTime,       // "1 /" and ten times the first byte, as a counter
    FNumber,            // the first byte / 10
    ExposureProgram,    // the list item whose leading number is the first byte
    ShutterSpeed,       // 2 to the power of the first byte
    Flash,              // the value field as number, flash fired, return light detected
    ExifVersion,        // the leading digits of the value / 100
};

// One row of a pass's table. `code` is the tag number; the file's two tag bytes are compared with its
// low and high byte as they stand, never decoded. A row with `anyLowByte` matches on the high byte.
struct TagRow {
    std::uint16_t code;
    std::string_view name;
    TagEffect effect;
    std::optional<ExifField> field; // none for an entry that shows nothing
    bool anyLowByte = false;
};

// The first directory.
inline constexpr std::array kMainDirectoryTags{
    TagRow{0x010E, "ImageDescription", TagEffect::Text, ExifField::Description},
    TagRow{0x010F, "Make", TagEffect::Text, ExifField::Maker},
    TagRow{0x0110, "Model", TagEffect::Text, ExifField::Model},
    TagRow{0x0112, "Orientation", TagEffect::Nothing, std::nullopt},
    TagRow{0x0131, "Software", TagEffect::Text, ExifField::Firmware},
    TagRow{0x0132, "DateTime", TagEffect::Text, ExifField::DateModified},
    TagRow{0x8769, "ExifOffset", TagEffect::SubDirectoryOffset, ExifField::SubDirectoryPosition},
    TagRow{0x8825, "GPSInfo", TagEffect::Offset, ExifField::GpsDirectoryPosition},
};

// The Exif sub-directory; tried top to bottom, the first match decides.
inline constexpr std::array kSubDirectoryTags{
    TagRow{0x829A, "ExposureTime", TagEffect::ExposureTime, ExifField::ExposureTime},
    TagRow{0x829D, "FNumber", TagEffect::FNumber, ExifField::FNumber},
    TagRow{0x8822, "ExposureProgram", TagEffect::ExposureProgram, ExifField::ExposureProgram},
    TagRow{0x9003, "DateTimeOriginal", TagEffect::Text, ExifField::DateOriginal},
    TagRow{0x9004, "DateTimeDigitized", TagEffect::Text, ExifField::DateDigitized},
    TagRow{0x9201, "ShutterSpeedValue", TagEffect::ShutterSpeed, ExifField::ShutterSpeed},
    TagRow{0x9209, "Flash", TagEffect::Flash, ExifField::FlashValue},
    TagRow{0x920A, "FocalLength", TagEffect::Nothing, std::nullopt},
    TagRow{0x927C, "MakerNote", TagEffect::Text, ExifField::MakerNote},
    TagRow{0x9286, "UserComment", TagEffect::Text, ExifField::UserComment},
    TagRow{0x9290, "SubSecTime", TagEffect::AppendSubSecond, ExifField::DateModified},
    TagRow{0x9291, "SubSecTimeOriginal", TagEffect::AppendSubSecond, ExifField::DateOriginal},
    TagRow{0x9292, "SubSecTimeDigitized", TagEffect::AppendSubSecond, ExifField::DateDigitized},
    // Last: the dates above share its high byte, and every other 0x90xx tag is read as a version.
    TagRow{0x9000, "ExifVersion", TagEffect::ExifVersion, ExifField::ExifVersion, true},
};

// The row of `rows` that the raw tag bytes match, if any.
inline std::optional<TagRow> findTag(std::span<const TagRow> rows, std::string_view tagBytes) {
    if (tagBytes.size() != 2) return std::nullopt;
    auto low = static_cast<unsigned char>(tagBytes[0]);
    auto high = static_cast<unsigned char>(tagBytes[1]);
    for (const TagRow& row : rows) {
        if (high != (row.code >> 8)) continue;
        if (row.anyLowByte || low == (row.code & 0xFF)) return row;
    }
    return std::nullopt;
}

} // namespace pelmark
