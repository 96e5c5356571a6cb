// Feeds arbitrary bytes to the GPX reader, split in two at a place the input chooses, as a file read in
// pieces is. Whatever the bytes, the reader ends with a track or an error, and a track it keeps holds
// only points it could use.
#include "base/Error.h"
#include "gpx/GpxReader.h"

#include <cmath>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = size == 0 ? 0 : data[0] % size;
    pelmark::GeoTrack track;
    try {
        pelmark::GpxReader reader(track, "fuzz.gpx");
        reader.feed(bytes.substr(0, split));
        reader.feed(bytes.substr(split));
        reader.finish();
    } catch (const pelmark::PelmarkError&) {
        if (!track.points.empty()) __builtin_trap(); // a faulty file gives nothing
        return 0;
    }
    for (std::size_t p = 0; p < track.points.size(); ++p) {
        const pelmark::GeoPoint& point = track.points[p];
        if (!(std::fabs(point.latitude) <= 90 && std::fabs(point.longitude) <= 180) ||
            !std::isfinite(point.utcSeconds))
            __builtin_trap();
        if (p > 0 && point.segment == track.points[p - 1].segment &&
            !(point.utcSeconds > track.points[p - 1].utcSeconds))
            __builtin_trap();
    }
    return 0;
}
