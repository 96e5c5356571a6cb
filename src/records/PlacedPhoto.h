#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pelmark {

// A photo with the place and instant the geotagging gave it: what the outputs that other programs
// read (GPX waypoints, XMP sidecars) need, whichever kind of track it was matched against.
struct PlacedPhoto {
    std::string path;                       // the photo's path, in the file system's bytes
    std::string name;                       // its file name
    double latitude = 0;                    // degrees, north positive (WGS 84)
    double longitude = 0;                   // degrees, east positive
    std::optional<double> elevation;        // metres above sea level, when the track knows it
    std::optional<std::int64_t> utcSeconds; // the position's instant, seconds since 1970-01-01 UTC
};

} // namespace pelmark
