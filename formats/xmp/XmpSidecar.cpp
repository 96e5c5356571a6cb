#include "xmp/XmpSidecar.h"

#include "base/Error.h"
#include "base/InstantText.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <exiv2/error.hpp>
#include <exiv2/xmp_exiv2.hpp>
#include <mutex>

namespace pelmark {

namespace {

// The GPS properties a position is made of; with --overwrite all of them are replaced together.
constexpr const char* kPositionKeys[] = {"Xmp.exif.GPSVersionID",   "Xmp.exif.GPSLatitude",
                                         "Xmp.exif.GPSLongitude",   "Xmp.exif.GPSAltitude",
                                         "Xmp.exif.GPSAltitudeRef", "Xmp.exif.GPSTimeStamp"};

// The XMP toolkit wants one initialisation before any use from more than one thread; its warnings
// would reach the user's terminal, and a failure is reported through the answers instead.
void prepareToolkit() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
    });
}

bool holdsPosition(Exiv2::XmpData& data) {
    return data.findKey(Exiv2::XmpKey("Xmp.exif.GPSLatitude")) != data.end() ||
           data.findKey(Exiv2::XmpKey("Xmp.exif.GPSLongitude")) != data.end();
}

std::string altitudeRational(double metres) {
    // Millimetres are more than any track measures; whole metres stay "580/1".
    const auto millimetres = static_cast<long long>(std::llround(std::fabs(metres) * 1000));
    char text[48];
    if (millimetres % 1000 == 0)
        std::snprintf(text, sizeof text, "%lld/1", millimetres / 1000);
    else
        std::snprintf(text, sizeof text, "%lld/1000", millimetres);
    return text;
}

} // namespace

std::string sidecarPath(const std::string& photoPath, bool fullName) {
    if (fullName) return photoPath + ".xmp";
    const std::size_t nameStart = photoPath.rfind('/') + 1;
    const std::size_t dot = photoPath.rfind('.');
    // A dot that starts the name is no extension (".hidden" stays whole).
    if (dot == std::string::npos || dot <= nameStart) return photoPath + ".xmp";
    return photoPath.substr(0, dot) + ".xmp";
}

std::string xmpCoordinate(double degrees, char positive, char negative) {
    constexpr std::int64_t kPerDegree = 60'000'000; // millionths of a minute
    const auto total = static_cast<std::int64_t>(std::llround(std::fabs(degrees) * kPerDegree));
    const std::int64_t minutes = total % kPerDegree;
    char text[48];
    std::snprintf(text, sizeof text, "%" PRId64 ",%02" PRId64 ".%06" PRId64 "%c", total / kPerDegree,
                  minutes / 1'000'000, minutes % 1'000'000, degrees < 0 && total > 0 ? negative : positive);
    return text;
}

SidecarUpdate sidecarWithPosition(const std::optional<std::string>& existing, const PlacedPhoto& photo,
                                  bool overwrite) {
    prepareToolkit();
    Exiv2::XmpData data;
    try {
        if (existing && Exiv2::XmpParser::decode(data, *existing) != 0)
            throw PelmarkError(ErrorKind::FileRead, "it holds no XMP that can be read");
        if (holdsPosition(data) && !overwrite) return {};
        for (const char* key : kPositionKeys) {
            const auto found = data.findKey(Exiv2::XmpKey(key));
            if (found != data.end()) data.erase(found);
        }
        data["Xmp.exif.GPSVersionID"] = "2.2.0.0";
        data["Xmp.exif.GPSLatitude"] = xmpCoordinate(photo.latitude, 'N', 'S');
        data["Xmp.exif.GPSLongitude"] = xmpCoordinate(photo.longitude, 'E', 'W');
        if (photo.elevation) {
            data["Xmp.exif.GPSAltitude"] = altitudeRational(*photo.elevation);
            data["Xmp.exif.GPSAltitudeRef"] = *photo.elevation < 0 ? "1" : "0";
        }
        if (photo.utcSeconds) data["Xmp.exif.GPSTimeStamp"] = isoText(static_cast<double>(*photo.utcSeconds));
        std::string packet;
        if (Exiv2::XmpParser::encode(
                packet, data, Exiv2::XmpParser::omitPacketWrapper | Exiv2::XmpParser::useCompactFormat) != 0)
            throw PelmarkError(ErrorKind::FileWrite, "the XMP toolkit could not write it");
        return {true, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + packet};
    } catch (const Exiv2::AnyError& error) {
        throw PelmarkError(ErrorKind::FileRead, std::string("the XMP toolkit refused it: ") + error.what());
    }
}

} // namespace pelmark
