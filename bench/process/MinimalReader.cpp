// The lower bound the console's whole-process figures are held against: a plain program that does the
// same reading with nothing else around it. It reads the capture time of every photo of a folder
// (names in the control's order), or the points of a track file, and prints what it read so that the
// work cannot be skipped.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::uint32_t le(const unsigned char* p, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

// The capture time (tag 0x9003 of the Exif sub-directory) from the first 64 KiB of a photo.
std::string captureTime(const std::string& path) {
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

int photos(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 2;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir))
        if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
    ::closedir(dir);
    auto upper = [](unsigned char c) { return static_cast<unsigned char>(std::toupper(c)); };
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) {
            return upper(static_cast<unsigned char>(x)) < upper(static_cast<unsigned char>(y));
        });
    });
    std::size_t read = 0, bytes = 0;
    for (const auto& name : names) {
        const std::string time = captureTime(folder + "/" + name);
        read += !time.empty();
        bytes += time.size();
    }
    std::printf("%zu capture times, %zu bytes\n", read, bytes);
    return 0;
}

int track(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return 2;
    struct stat info {};
    ::fstat(fd, &info);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(info.st_size));
    const ssize_t got = ::read(fd, bytes.data(), bytes.size());
    ::close(fd);
    if (got != static_cast<ssize_t>(bytes.size()) || bytes.size() < 17) return 2;
    std::size_t at = 17 + le(&bytes[15], 2), points = 0;
    std::uint32_t last = 0;
    while (at + 16 <= bytes.size()) {
        const std::size_t text = le(&bytes[at + 14], 2);
        if (at + 18 + text > bytes.size()) break;
        last = le(&bytes[at + 9], 4);
        ++points;
        at += 18 + text;
    }
    std::printf("%zu points, last time %u\n", points, last);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "photos") return photos(argv[2]);
    if (argc == 3 && std::string(argv[1]) == "track") return track(argv[2]);
    std::fprintf(stderr, "usage: minimal-reader photos FOLDER | track FILE\n");
    return 2;
}
