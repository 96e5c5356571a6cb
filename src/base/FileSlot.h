#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace pelmark {

// False for a name holding a NUL byte: the system would read it only up to the NUL, so it would name
// another file than the one asked for.
inline bool namesFile(std::string_view path) {
    return path.find('\0') == std::string_view::npos;
}

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
    bool openForWriting(const std::string& path);
    void close();
    bool isOpen() const { return file_ != nullptr; }
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
    // Hands what was written to the system; false when it could not take it (a full disk).
    bool flush();

private:
    // Reads go through one small window, as stdio's buffer would, but a jump back into it (a value
    // stored just before the directory that names it) costs no seek.
    static constexpr std::uint64_t kWindowBytes = 8192;
    bool fillWindow(std::uint64_t offset);

    std::FILE* file_ = nullptr;
    std::string window_;
    std::uint64_t windowStart_ = 0;
    std::string path_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
};

} // namespace pelmark
