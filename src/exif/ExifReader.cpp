#include "exif/ExifReader.h"

#include "base/Error.h"

#include <filesystem>
#include <system_error>

namespace pelmark {

const ExifRecord& ExifReader::read(const std::string& path) {
    record_ = {};
    if (!file_.openForReading(path)) {
        std::error_code error;
        if (namesFile(path) && std::filesystem::exists(path, error))
            throw PelmarkError(ErrorKind::FileRead, "Path/File access error: " + path);
        throw PelmarkError(ErrorKind::FileNotFound, "File not found: " + path);
    }
    try {
        parser_.readOpenPhoto();
    } catch (...) {
        file_.close();
        throw;
    }
    file_.close();
    return record_;
}

} // namespace pelmark
