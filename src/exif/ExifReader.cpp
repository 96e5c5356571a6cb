#include "exif/ExifReader.h"

#include "base/Error.h"

namespace pelmark {

const ExifRecord& ExifReader::read(const std::string& path) {
    record_ = {};
    if (!file_.openForReading(path)) throw openFailure(path);
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
