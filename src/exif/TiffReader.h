#pragma once

#include "base/FileSlot.h"
#include "exif/ByteOrder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelmark {

// A bounded view of the photo open in the file slot, for reading TIFF structures: offsets count from
// the view's start, numbers are decoded in the view's byte order, and nothing outside the view is read.
// A read that fails (outside the view, or the slot closed by Stop) fails every later read as well, so a
// walk can test once at its end instead of after every step.
class TiffReader {
public:
    // The whole file open in `file`.
    TiffReader(FileSlot& file, ByteOrder order);

    std::uint64_t length() const { return length_; }
    ByteOrder order() const { return order_; }
    bool failed() const { return failed_; }

    // True when `count` bytes from `offset` lie inside the view; arithmetic only, nothing is read.
    [[nodiscard]] bool holds(std::uint64_t offset, std::uint64_t count) const;

    [[nodiscard]] std::optional<std::uint16_t> u16(std::uint64_t offset);
    [[nodiscard]] std::optional<std::uint32_t> u32(std::uint64_t offset);
    [[nodiscard]] std::optional<std::string> bytes(std::uint64_t offset, std::uint64_t count);

    // The part of this view from `offset` on, `count` bytes long, in `order`; a part not inside the view
    // is an empty view that has failed.
    [[nodiscard]] TiffReader sub(std::uint64_t offset, std::uint64_t count, ByteOrder order) const;

private:
    TiffReader(FileSlot& file, ByteOrder order, std::uint64_t start, std::uint64_t length, bool failed);

    FileSlot* file_;
    ByteOrder order_;
    std::uint64_t start_ = 0;
    std::uint64_t length_ = 0;
    bool failed_ = false;
};

// Unsigned numbers from their bytes in `order`; the caller passes exactly two or four bytes.
std::uint16_t u16From(std::string_view two, ByteOrder order);
std::uint32_t u32From(std::string_view four, ByteOrder order);

} // namespace pelmark
