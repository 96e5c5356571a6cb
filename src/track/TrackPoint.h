#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pelmark {

// One point of a track, and also one waypoint of the waypoint list (which alone uses the photo
// fields). Raw fields hold the bytes exactly as they stood in the track file, so that the waypoint
// writer can put them back unchanged; an empty raw field or an empty optional is a field with no value.
struct TrackPoint {
    std::string position2;             // 4 raw bytes
    std::string position1;             // 4 raw bytes; empty in a waypoint slot marks a photo without a match
    std::optional<std::uint32_t> time; // seconds since 1989-12-31 00:00:00
    std::string altitude;              // 2 raw bytes
    std::optional<std::uint8_t> byteValue;
    std::optional<std::uint16_t> textLength;
    std::string text;
    std::string photoName;
    std::string photoPath;
    std::string timeRaw; // 4 raw bytes, the time as it stood in the file
};

} // namespace pelmark
