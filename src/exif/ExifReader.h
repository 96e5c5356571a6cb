#pragma once

#include "records/ExifRecord.h"

#include <string>

namespace pelmark {

// The EXIF record of the photo at `path`, read as the control reads the current photo but without
// showing or yielding: for programs that geotag a folder without a surface. Throws PelmarkError as a
// load by path does: FileNotFound for no file, FileRead for one that cannot be read or is cut off. A
// file without an EXIF header gives an empty record.
ExifRecord readExifRecord(const std::string& path);

} // namespace pelmark
