#pragma once

namespace pelmark {

// `TagExif`'s kinds of value; the numbers are part of the public interface.
enum class TagEnum {
    DatumOriginal = 0,
    DatumDigitized = 1,
    DatumModified = 2,
    ExposureTime = 3,
    FNumber = 4,
    GPSLatitude = 5,
    GPSLongitude = 6,
    GPSAltitude = 7,
    Maker = 8,
    Camera = 9,
    Comment = 10,
    ImageDescription = 11,
    Maker_Note = 12,
    CamFirmware = 13,
};

} // namespace pelmark
