#include "exif/ExifReader.h"

#include "base/Error.h"
#include "base/FileSlot.h"
#include "exif/ExifParser.h"

#include <filesystem>
#include <system_error>

namespace pelmark {

ExifRecord readExifRecord(const std::string& path) {
    FileSlot file;
    if (!file.openForReading(path)) {
        std::error_code error;
        if (namesFile(path) && std::filesystem::exists(path, error))
            throw PelmarkError(ErrorKind::FileRead, "Path/File access error: " + path);
        throw PelmarkError(ErrorKind::FileNotFound, "File not found: " + path);
    }
    ExifRecord record;
    ExifParser(file, record, {}).readOpenPhoto();
    return record;
}

} // namespace pelmark
