#include "base/FileSlot.h"

#include <filesystem>
#include <system_error>

namespace pelmark {

bool FileSlot::openForReading(const std::string& path) {
    close();
    // A folder opens on Linux; it is no file to read.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    std::uint64_t size = std::filesystem::file_size(path, error);
    if (error) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    file_ = file;
    path_ = path;
    size_ = size;
    position_ = 0;
    return true;
}

bool FileSlot::openForWriting(const std::string& path) {
    close();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    file_ = file;
    path_ = path;
    size_ = 0;
    position_ = 0;
    return true;
}

void FileSlot::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    path_.clear();
    size_ = 0;
    position_ = 0;
}

bool FileSlot::readAt(std::uint64_t offset, std::uint64_t count, std::string& out) {
    out.clear();
    if (!file_ || offset > size_ || count > size_ - offset) return false;
    if (offset != position_) {
        if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return false;
        position_ = offset;
    }
    return read(count, out);
}

bool FileSlot::read(std::uint64_t count, std::string& out) {
    out.clear();
    if (!file_) return false;
    if (count > size_ - position_) {
        // Nothing beyond the end is read; the position moves to the end as a short read would.
        if (std::fseek(file_, 0, SEEK_END) == 0) position_ = size_;
        return false;
    }
    out.resize(count);
    std::size_t got = count == 0 ? 0 : std::fread(out.data(), 1, count, file_);
    position_ += got;
    if (got != count) {
        out.clear();
        return false;
    }
    return true;
}

bool FileSlot::write(std::string_view bytes) {
    if (!file_) return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return false;
    position_ += bytes.size();
    size_ = position_;
    return true;
}

} // namespace pelmark
