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
    std::optional<std::int64_t> utcSeconds; // the photo's instant, seconds since 1970-01-01 UTC
};

// An instant as ISO 8601 in UTC, as GPX and XMP write it: "2003-08-14T08:00:05Z".
std::string utcTimeText(std::int64_t utcSeconds);

} // namespace pelmark
