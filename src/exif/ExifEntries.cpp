#include "exif/ExifEntries.h"

#include "exif/TiffReader.h"

namespace pelmark {

ExifEntry entryFromBytes(std::string_view twelve, ByteOrder order) {
    ExifEntry entry;
    if (twelve.size() < kEntryBytes) return entry;
    entry.Tag = std::string(twelve.substr(0, 2));
    entry.FieldType = u16From(twelve.substr(2, 2), order);
    entry.ValueCount = u32From(twelve.substr(4, 4), order);
    entry.valueFieldBytes = std::string(twelve.substr(8, 4));
    entry.ValueField = u32From(entry.valueFieldBytes, order);
    return entry;
}

bool ExifEntries::store(int position, ExifEntry entry) {
    if (position < 1 || position > kCapacity) return false;
    auto index = static_cast<std::size_t>(position);
    if (entries_.size() <= index) entries_.resize(index + 1);
    entries_[index] = std::move(entry);
    return true;
}

const ExifEntry& ExifEntries::at(int position) const {
    static const ExifEntry kNone;
    if (position < 1 || static_cast<std::size_t>(position) >= entries_.size()) return kNone;
    return entries_[static_cast<std::size_t>(position)];
}

} // namespace pelmark
