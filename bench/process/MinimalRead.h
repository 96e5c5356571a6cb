#pragma once

// The reading that the minimal programs share, as plainly as it can be done: a photo's capture time
// from its EXIF data, a folder's photo names in the control's order, a track file's point times.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace minimal {

inline std::uint32_t le(const unsigned char* p, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

// The capture time (tag 0x9003 of the Exif sub-directory) from the first 64 KiB of a photo.
inline std::string captureTime(const std::string& path) {
    static unsigned char buffer[65536];
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return {};
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    if (got < 20) return {};
    const auto size = static_cast<std::uint32_t>(got);
    const std::uint32_t tiff = 12;
    auto inside = [size](std::uint32_t offset, std::uint32_t length) {
        return offset <= size && length <= size - offset;
    };
    std::uint32_t directory = tiff + le(buffer + tiff + 4, 4);
    for (int level = 0; level < 2; ++level) {
        if (!inside(directory, 2)) return {};
        const std::uint32_t count = le(buffer + directory, 2);
        std::uint32_t next = 0;
        for (std::uint32_t i = 0; i < count && inside(directory + 2 + 12 * i, 12); ++i) {
            const unsigned char* entry = buffer + directory + 2 + 12 * i;
            const std::uint32_t tag = le(entry, 2);
            if (tag == 0x8769) next = tiff + le(entry + 8, 4);
            if (level == 1 && tag == 0x9003) {
                const std::uint32_t at = tiff + le(entry + 8, 4), length = le(entry + 4, 4);
                if (!inside(at, length)) return {};
                return std::string(reinterpret_cast<const char*>(buffer + at), length ? length - 1 : 0);
            }
        }
        directory = next;
    }
    return {};
}

// The names of a folder's visible entries, ordered as the control lists them; `skip` leaves one out.
inline std::vector<std::string> photoNames(const std::string& folder, const std::string& skip = {}) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir))
        if (entry->d_name[0] != '.' && entry->d_name != skip) names.emplace_back(entry->d_name);
    ::closedir(dir);
    auto upper = [](unsigned char c) { return static_cast<unsigned char>(std::toupper(c)); };
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) {
            return upper(static_cast<unsigned char>(x)) < upper(static_cast<unsigned char>(y));
        });
    });
    return names;
}

// The point times of a track file (seconds since 1989-12-31 00:00), in file order; false when it
// cannot be read.
inline bool trackTimes(const std::string& path, std::vector<std::uint32_t>& times) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    struct stat info {};
    ::fstat(fd, &info);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(info.st_size));
    const ssize_t got = ::read(fd, bytes.data(), bytes.size());
    ::close(fd);
    if (got != static_cast<ssize_t>(bytes.size()) || bytes.size() < 17) return false;
    std::size_t at = 17 + le(&bytes[15], 2);
    while (at + 16 <= bytes.size()) {
        const std::size_t text = le(&bytes[at + 14], 2);
        if (at + 18 + text > bytes.size()) break;
        times.push_back(le(&bytes[at + 9], 4));
        at += 18 + text;
    }
    return true;
}

} // namespace minimal
