#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pelmark {

// A fixed-size field of a track point as raw bytes: up to `N` of them, held in place. A track holds
// up to 10,000 points, and a text of its own for each of these fields would more than double the
// memory a track takes (and the time to fill it).
template <std::size_t N>
class RawBytes {
public:
    RawBytes() = default;
    RawBytes(std::string_view bytes) { assign(bytes); }
    RawBytes(const char* bytes) : RawBytes(std::string_view(bytes)) {}
    RawBytes(const std::string& bytes) : RawBytes(std::string_view(bytes)) {}

    // Throws std::length_error for more than `N` bytes.
    void assign(std::string_view bytes) {
        if (bytes.size() > N)
            throw std::length_error("a raw track field holds at most " + std::to_string(N) + " bytes");
        std::copy(bytes.begin(), bytes.end(), bytes_.begin());
        size_ = static_cast<std::uint8_t>(bytes.size());
    }
    void clear() { size_ = 0; }

    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    char operator[](std::size_t index) const { return bytes_[index]; }
    std::string_view view() const { return {bytes_.data(), size_}; }
    operator std::string_view() const { return view(); }
    std::string substr(std::size_t position, std::size_t count = std::string::npos) const {
        return std::string(view().substr(position, count));
    }

    friend bool operator==(const RawBytes& a, std::string_view b) { return a.view() == b; }
    friend std::ostream& operator<<(std::ostream& out, const RawBytes& raw) { return out << raw.view(); }

private:
    std::array<char, N> bytes_{};
    std::uint8_t size_ = 0;
};

// One point of a track, and the track part of a waypoint. Raw fields hold the bytes exactly as they stood in
// the track file, so that the waypoint writer can put them back unchanged; an empty raw field or an empty
// optional is a field with no value.
struct TrackPoint {
    RawBytes<4> position2;             // 4 raw bytes
    RawBytes<4> position1;             // 4 raw bytes; empty in a waypoint slot marks a photo without a match
    std::optional<std::uint32_t> time; // seconds since 1989-12-31 00:00:00
    RawBytes<2> altitude;              // 2 raw bytes
    std::optional<std::uint8_t> byteValue;
    std::optional<std::uint16_t> textLength;
    std::string text;
    RawBytes<4> timeRaw; // 4 raw bytes, the time as it stood in the file
};

} // namespace pelmark
