#include "base/FileSlot.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace pelmark {

int openRegularFile(const std::string& path, int flags, std::uint64_t* size) {
    if (!namesFile(path)) {
        errno = ENOENT;
        return -1;
    }
    // Without O_NONBLOCK a FIFO's open waits for the other end, for good; on a regular file the flag
    // changes nothing. The kind is read from the open file, so the name is resolved once.
    int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat status {};
    const bool known = ::fstat(fd, &status) == 0;
    if (known && S_ISREG(status.st_mode)) {
        if (size) *size = static_cast<std::uint64_t>(status.st_size);
        return fd;
    }
    const int reason = known && S_ISDIR(status.st_mode) ? EISDIR : ENOENT;
    ::close(fd);
    errno = reason;
    return -1;
}

PelmarkError openFailure(const std::string& path) {
    std::error_code error;
    const auto kind =
        namesFile(path) ? std::filesystem::status(path, error).type() : std::filesystem::file_type::not_found;
    if (kind == std::filesystem::file_type::regular || kind == std::filesystem::file_type::directory)
        return PelmarkError(ErrorKind::FileRead, "Path/File access error: " + path);
    return PelmarkError(ErrorKind::FileNotFound, "File not found: " + path);
}

bool FileSlot::openForReading(const std::string& path) {
    close();
    // A folder opens on Linux; it is no file to read, and openRegularFile turns it away.
    std::uint64_t size = 0;
    int fd = openRegularFile(path, O_RDONLY, &size);
    if (fd < 0) return false;
    fd_ = fd;
    path_ = path;
    size_ = size;
    position_ = 0;
    return true;
}

void FileSlot::adoptForWriting(int fd, const std::string& path) {
    close();
    fd_ = fd;
    path_ = path;
    size_ = 0;
    position_ = 0;
}

void FileSlot::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    window_.clear();
    windowStart_ = 0;
    path_.clear();
    size_ = 0;
    position_ = 0;
}

bool FileSlot::readExactly(std::uint64_t offset, std::string& out) const {
    std::size_t done = 0;
    while (done < out.size()) {
        ssize_t got = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        // The file shrank under us: what it claimed to hold is not there.
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool FileSlot::fillWindow(std::uint64_t offset) {
    window_.resize(static_cast<std::size_t>(std::min(kWindowBytes, size_ - offset)));
    if (!readExactly(offset, window_)) {
        window_.clear();
        return false;
    }
    windowStart_ = offset;
    return true;
}

bool FileSlot::readAt(std::uint64_t offset, std::uint64_t count, std::string& out) {
    out.clear();
    if (fd_ < 0 || offset > size_ || count > size_ - offset) {
        // Nothing beyond the end is read; the position moves to the end as a short read would.
        if (fd_ >= 0) position_ = size_;
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
    out.resize(static_cast<std::size_t>(count));
    if (!readExactly(offset, out)) {
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

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool FileSlot::write(std::string_view bytes) {
    if (fd_ < 0 || !writeAll(fd_, bytes)) return false;
    position_ += bytes.size();
    size_ = position_;
    return true;
}

} // namespace pelmark
