#pragma once

#include "base/FileSlot.h"
#include "exif/ExifParser.h"
#include "records/ExifRecord.h"

#include <string>

namespace pelmark {

// The EXIF records of photos read one after another, as the control reads the current photo but
// without showing or yielding: for programs that geotag a folder without a surface. One reader serves
// a whole folder, so its tables are made once.
class ExifReader {
public:
    ExifReader() = default;
    ExifReader(const ExifReader&) = delete;
    ExifReader& operator=(const ExifReader&) = delete;

    // The record of the photo at `path`, valid until the next read. Throws PelmarkError as a load by
    // path does: FileNotFound for no file (or none that is a regular file), FileRead for one that
    // cannot be read or is cut off. A file without an EXIF header gives an empty record.
    const ExifRecord& read(const std::string& path);

    // The photo's capture time as the tag query answers it ("YYYY:MM:DD HH:MM:SS"); an unreadable
    // photo has none, as the control's run counts it.
    std::string captureTime(const std::string& path);

    // The text of the last photo's OffsetTimeOriginal ("+02:00"), which the record does not hold: the
    // control reads every 0x90xx tag of the sub-directory as a version. Empty when there is none.
    const std::string& offsetTimeOriginal() const { return offsetTimeOriginal_; }

private:
    void readOffsetTag();

    std::string offsetTimeOriginal_;
    FileSlot file_;
    ExifRecord record_;
    ExifParser parser_{file_, record_, {}};
};

} // namespace pelmark
