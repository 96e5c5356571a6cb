#pragma once

#include "exif/ByteOrder.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelmark {

// One directory entry of the current photo.
struct ExifEntry {
    std::string Tag; // the two tag bytes exactly as they stand in the file
    std::uint16_t FieldType = 0;
    std::uint32_t ValueCount = 0;
    std::uint32_t ValueField = 0;
    std::string valueFieldBytes; // the four bytes behind `ValueField`, in file order
    // The value bytes; read only for an entry the parser decodes, and only while it decodes it.
    std::string Data;
};

// The size of a directory entry in the file.
inline constexpr std::size_t kEntryBytes = 12;

// An entry from its twelve bytes: the tag kept raw, the numbers decoded in `order`.
ExifEntry entryFromBytes(std::string_view twelve, ByteOrder order);

// `ExifEntries`: positions 1 to 4096, position 0 never filled. A position outside that range is never
// stored and reads as an empty entry. Overwritten position by position; positions beyond the current
// photo's entries keep older contents.
class ExifEntries {
public:
    static constexpr int kCapacity = 4096;

    // False, and nothing stored, for a position outside 1..kCapacity.
    bool store(int position, ExifEntry entry);
    const ExifEntry& at(int position) const;

private:
    // Grows with the highest position stored, so a control that never loads a large photo stays small.
    std::vector<ExifEntry> entries_;
};

} // namespace pelmark
