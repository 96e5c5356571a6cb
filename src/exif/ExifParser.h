#pragma once

#include "exif/ByteOrder.h"
#include "exif/ExifEntries.h"
#include "exif/ExifTags.h"
#include "exif/StatusCounters.h"
#include "exif/TiffReader.h"
#include "surface/Context.h"

namespace pelmark {

// Reads the EXIF data of the photo open in the context's file slot into the fields of the surface:
// checks the header, reads the first directory into `ExifEntries`, decodes it (the first pass), appends
// the Exif sub-directory and decodes that (the second pass). The file is read where the result needs
// it, header, entries and each decoded value, and never reopened; the caller opened it and closes it.
class ExifParser {
public:
    enum class Outcome {
        Parsed,     // the passes ran (or were stopped); the fields hold what they found
        NoExif,     // no EXIF header: the parser did not run
        Superseded, // a later load took over the file slot while this one yielded
    };

    explicit ExifParser(Context& context);

    // Throws PelmarkError (FileRead) when the file is shorter than its header and first directory claim.
    // A file too short for the header is a photo without EXIF unless the bytes it has start one.
    Outcome readOpenPhoto();

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

    Context& context_;
    StatusCounters counters_;
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
