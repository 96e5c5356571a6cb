#pragma once

#include "base/Error.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pelmark {

// False for a name holding a NUL byte: the system would read it only up to the NUL, so it would name
// another file than the one asked for.
inline bool namesFile(std::string_view path) {
    return path.find('\0') == std::string_view::npos;
}

// Opens `path` with `flags` (O_RDONLY or O_WRONLY, nothing that creates) without ever waiting: a FIFO,
// a device, a socket or anything else that is not a regular file is closed again at once and answers
// -1 with errno ENOENT, as a missing file does; a folder answers -1 with EISDIR. Names holding a NUL
// open nothing. Every reader of a photo or track goes through here, so a FIFO named "x.jpg" cannot hang
// the program before Stop could reach it.
// With `size`, the file's size in bytes goes there.
int openRegularFile(const std::string& path, int flags, std::uint64_t* size = nullptr);

// Writes all of `bytes` to `fd`, going on after an interrupted or partial write; false on the first
// failure (a full disk), with errno set and part of the bytes perhaps written.
bool writeAll(int fd, std::string_view bytes);

// Why `path` could not be opened for reading, as an error for the caller: a file or folder that is
// there but cannot be read is a read error; anything else (nothing, or a FIFO, a device or a socket,
// which are no files whatever their names say) fails as a missing file.
PelmarkError openFailure(const std::string& path);

// The control's single file slot: at most one file is open at a time, and the Stop button closes
// whatever it holds. Reads after a close fail instead of touching a closed handle, so a loop that was
// stopped while it yielded simply sees the end of its data.
class FileSlot {
public:
    FileSlot() = default;
    ~FileSlot() { close(); }
    FileSlot(const FileSlot&) = delete;
    FileSlot& operator=(const FileSlot&) = delete;

    // Opening closes whatever the slot held before.
    bool openForReading(const std::string& path);
    // Takes over `fd`, a file just made for writing, known by `path`.
    void adoptForWriting(int fd, const std::string& path);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

    // Size of the open file in bytes (0 when closed).
    std::uint64_t size() const { return size_; }

    // Exactly `count` bytes from `offset`, appended to nothing: `out` is replaced. False, and `out`
    // empty, when the slot is closed or the bytes lie wholly or partly beyond the end.
    [[nodiscard]] bool readAt(std::uint64_t offset, std::uint64_t count, std::string& out);

    // Exactly `count` bytes from the current position; on a short read the position is at the end.
    [[nodiscard]] bool read(std::uint64_t count, std::string& out);
    std::uint64_t position() const { return position_; }

    bool write(std::string_view bytes);

private:
    // Reads go through one small window, as stdio's buffer would, but a jump back into it (a value
    // stored just before the directory that names it) costs no seek.
    static constexpr std::uint64_t kWindowBytes = 8192;
    bool fillWindow(std::uint64_t offset);
    // Exactly `out.size()` bytes from `offset`, read where they stand (no seek, no second buffer).
    bool readExactly(std::uint64_t offset, std::string& out) const;

    // One open and one status query per file: the name is resolved once, by the open.
    int fd_ = -1;
    std::string window_;
    std::uint64_t windowStart_ = 0;
    std::string path_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
};

} // namespace pelmark
