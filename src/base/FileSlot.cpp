#include "base/FileSlot.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace pelmark {

bool FileSlot::openForReading(const std::string& path) {
    close();
    if (!namesFile(path)) return false;
    // A folder opens on Linux; it is no file to read.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    std::uint64_t size = std::filesystem::file_size(path, error);
    if (error) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    // The window is the buffer; stdio's own would only copy the bytes twice.
    std::setvbuf(file, nullptr, _IONBF, 0);
    file_ = file;
    path_ = path;
    size_ = size;
    position_ = 0;
    return true;
}

bool FileSlot::openForWriting(const std::string& path) {
    close();
    if (!namesFile(path)) return false;
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
    window_.clear();
    windowStart_ = 0;
    path_.clear();
    size_ = 0;
    position_ = 0;
}

bool FileSlot::fillWindow(std::uint64_t offset) {
    window_.clear();
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return false;
    window_.resize(std::min(kWindowBytes, size_ - offset));
    std::size_t got = window_.empty() ? 0 : std::fread(window_.data(), 1, window_.size(), file_);
    if (got != window_.size()) {
        // The file shrank under us: what it claimed to hold is not there.
        window_.clear();
        return false;
    }
    windowStart_ = offset;
    return true;
}

bool FileSlot::readAt(std::uint64_t offset, std::uint64_t count, std::string& out) {
    out.clear();
    if (!file_ || offset > size_ || count > size_ - offset) {
        // Nothing beyond the end is read; the position moves to the end as a short read would.
        if (file_) position_ = size_;
        return false;
    }
    bool inWindow = offset >= windowStart_ && offset + count <= windowStart_ + window_.size();
    if (!inWindow && count <= kWindowBytes) inWindow = fillWindow(offset);
    if (inWindow) {
        out.assign(window_, static_cast<std::size_t>(offset - windowStart_), static_cast<std::size_t>(count));
        position_ = offset + count;
        return true;
    }
    // Larger than the window: read straight into the result.
    window_.clear();
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return false;
    out.resize(static_cast<std::size_t>(count));
    std::size_t got = std::fread(out.data(), 1, out.size(), file_);
    if (got != out.size()) {
        out.clear();
        position_ = size_;
        return false;
    }
    position_ = offset + count;
    return true;
}

bool FileSlot::read(std::uint64_t count, std::string& out) {
    return readAt(position_, count, out);
}

bool FileSlot::write(std::string_view bytes) {
    if (!file_) return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return false;
    position_ += bytes.size();
    size_ = position_;
    return true;
}

} // namespace pelmark

namespace pelmark {

bool FileSlot::flush() {
    return file_ && std::fflush(file_) == 0 && !std::ferror(file_);
}

} // namespace pelmark
