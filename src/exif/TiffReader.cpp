#include "exif/TiffReader.h"

namespace pelmark {

namespace {

std::uint32_t unsignedFrom(std::string_view bytes, ByteOrder order) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::size_t at = order == ByteOrder::Intel ? bytes.size() - 1 - i : i;
        value = (value << 8) | static_cast<unsigned char>(bytes[at]);
    }
    return value;
}

} // namespace

std::uint16_t u16From(std::string_view two, ByteOrder order) {
    return static_cast<std::uint16_t>(unsignedFrom(two.substr(0, 2), order));
}

std::uint32_t u32From(std::string_view four, ByteOrder order) {
    return unsignedFrom(four.substr(0, 4), order);
}

TiffReader::TiffReader(FileSlot& file, ByteOrder order) : TiffReader(file, order, 0, file.size(), false) {}

TiffReader::TiffReader(FileSlot& file, ByteOrder order, std::uint64_t start, std::uint64_t length,
                       bool failed)
    : file_(&file), order_(order), start_(start), length_(length), failed_(failed) {}

bool TiffReader::holds(std::uint64_t offset, std::uint64_t count) const {
    // Written so that no sum can wrap, whatever a hostile file claims.
    return offset <= length_ && count <= length_ - offset;
}

std::optional<std::string> TiffReader::bytes(std::uint64_t offset, std::uint64_t count) {
    std::string out;
    if (failed_ || !holds(offset, count) || !file_->readAt(start_ + offset, count, out)) {
        failed_ = true;
        return std::nullopt;
    }
    return out;
}

std::optional<std::uint16_t> TiffReader::u16(std::uint64_t offset) {
    auto two = bytes(offset, 2);
    if (!two) return std::nullopt;
    return u16From(*two, order_);
}

std::optional<std::uint32_t> TiffReader::u32(std::uint64_t offset) {
    auto four = bytes(offset, 4);
    if (!four) return std::nullopt;
    return u32From(*four, order_);
}

TiffReader TiffReader::sub(std::uint64_t offset, std::uint64_t count, ByteOrder order) const {
    if (failed_ || !holds(offset, count)) return TiffReader(*file_, order, start_, 0, true);
    return TiffReader(*file_, order, start_ + offset, count, false);
}

} // namespace pelmark
