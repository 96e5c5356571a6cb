#pragma once

#include "exif/ByteOrder.h"
#include "exif/ExifEntries.h"
#include "exif/ExifTags.h"
#include "exif/StatusCounters.h"
#include "exif/TiffReader.h"
#include "records/ExifRecord.h"

#include <functional>

namespace pelmark {

// What a parse tells as it goes. Each part may be left empty: a parse for a program that shows nothing
// (`pelmark geotag`) neither yields nor counts on panels.
struct ExifParserHooks {
    // After every entry: lets pending events run and answers whether the user asked to stop.
    std::function<bool()> yieldAndTestStop;
    // A field of the record has a new value, to be shown at once: the fields fill as the user watches.
    std::function<void(ExifField)> shown;
    // The status-bar panels that count along.
    StatusCounters* counters = nullptr;
    // The user's decimal separator, asked for at each value that needs it.
    std::function<char()> separator;
};

// Reads the EXIF data of the photo open in the file slot into an EXIF record: checks the header, reads
// the first directory into `ExifEntries`, decodes it (the first pass), appends the Exif sub-directory
// and decodes that (the second pass). The file is read where the result needs it, header, entries and
// each decoded value, and never reopened; the caller opened it and closes it.
class ExifParser {
public:
    enum class Outcome {
        Parsed,     // the passes ran (or were stopped); the fields hold what they found
        NoExif,     // no EXIF header: the parser did not run
        Superseded, // a later load took over the file slot while this one yielded
    };

    ExifParser(FileSlot& file, ExifRecord& record, ExifParserHooks hooks);

    // Throws PelmarkError (FileRead) when the file is shorter than its header and first directory claim.
    // A file too short for the header is a photo without EXIF unless the bytes it has start one.
    Outcome readOpenPhoto();

    const ExifRecord& record() const { return record_; }
    // Empties one field of the record, shown as the parser shows what it finds.
    void clear(ExifField field);

    // True while a walk holds the file slot (a load started meanwhile supersedes it).
    bool walking() const { return walkingRun_ != 0; }

    const ExifEntries& entries() const { return entries_; }
    int mainEntryCount() const { return mainEntryCount_; }
    int subEntryCount() const { return subEntryCount_; }
    ByteOrder photoByteOrder() const { return photoByteOrder_; }

    // The most entries a sub-directory walk takes.
    static constexpr int kSubDirectoryLimit = 130;
    // TIFF offsets count from here: the byte-order mark behind the APP1 header.
    static constexpr std::uint64_t kTiffStart = 12;
    // The most value bytes one entry reads, whatever its count claims: far beyond any text a camera
    // writes, and small enough that 4096 hostile entries still load in milliseconds.
    static constexpr std::uint64_t kValueReadLimit = 16 * 1024;

    // The first directory, then the Exif sub-directory.
    enum class Pass { Main, Sub };

    // What a recognised entry's effect needs of its value.
    enum class ValueUse { None, FirstByte, UpToZero, LeadingDigits };

private:
    void parseExif(Pass pass, int run, TiffReader& tiff);
    void readSubDirectory(std::uint32_t offset, int run, TiffReader& tiff);
    static std::string valueBytes(const ExifEntry& entry, ValueUse use, TiffReader& tiff);
    void decode(const TagRow& row, const ExifEntry& entry, Pass pass);
    bool stillCurrent(int run) const;
    void set(ExifField field, std::string text);
    void set(ExifField field, int number);
    void count(ExifCount which, int panel, long long delta);

    FileSlot& file_;
    ExifRecord& record_;
    ExifParserHooks hooks_;
    ExifEntries entries_;
    ByteOrder photoByteOrder_ = ByteOrder::Intel;
    int mainEntryCount_ = 0;
    int subEntryCount_ = 0;
    std::uint32_t subDirectoryOffset_ = 0;
    std::string path_;
    int runs_ = 0;
    int walkingRun_ = 0;
};

} // namespace pelmark
