#include "exif/ExifReader.h"

#include "base/Error.h"
#include "exif/TagEnum.h"
#include "exif/TagQuery.h"

#include <algorithm>
#include <string_view>

namespace pelmark {

namespace {

// OffsetTimeOriginal as its tag bytes stand in an Intel-order photo (the only order whose entries the
// parser keeps), and the longest text it is read to.
constexpr std::string_view kOffsetTimeOriginalTag = "\x11\x90";
constexpr std::uint32_t kOffsetTextLimit = 32;

} // namespace

void ExifReader::readOffsetTag() {
    const int first = parser_.mainEntryCount() + 1, last = parser_.mainEntryCount() + parser_.subEntryCount();
    for (int k = first; k <= last; ++k) {
        const ExifEntry& entry = parser_.entries().at(k);
        if (entry.Tag != kOffsetTimeOriginalTag || entry.FieldType != 2) continue;
        const std::uint32_t count = std::min(entry.ValueCount, kOffsetTextLimit);
        if (count <= 4) {
            offsetTimeOriginal_ = entry.valueFieldBytes.substr(0, count);
        } else {
            TiffReader whole(file_, ByteOrder::Intel);
            TiffReader tiff =
                whole.sub(ExifParser::kTiffStart, whole.length() - ExifParser::kTiffStart, ByteOrder::Intel);
            offsetTimeOriginal_ = tiff.bytes(entry.ValueField, count).value_or("");
        }
        offsetTimeOriginal_ = offsetTimeOriginal_.substr(0, offsetTimeOriginal_.find('\0'));
        return;
    }
}

const ExifRecord& ExifReader::read(const std::string& path) {
    record_ = {};
    offsetTimeOriginal_.clear();
    if (!file_.openForReading(path)) throw openFailure(path);
    try {
        if (parser_.readOpenPhoto() == ExifParser::Outcome::Parsed) readOffsetTag();
    } catch (...) {
        file_.close();
        throw;
    }
    file_.close();
    return record_;
}

std::string ExifReader::captureTime(const std::string& path) {
    try {
        return tagAnswer(read(path), static_cast<double>(TagEnum::DatumOriginal));
    } catch (const PelmarkError&) {
        // Unreadable: a photo without a capture time.
    }
    return {};
}

} // namespace pelmark
