// The lower bound the console's whole-process figures are held against: a plain program that does the
// same reading with nothing else around it. It reads the capture time of every photo of a folder
// (names in the control's order), or the points of a track file, and prints what it read so that the
// work cannot be skipped.
#include "MinimalRead.h"

#include <cstdio>

namespace {

int photos(const std::string& folder) {
    std::size_t read = 0, bytes = 0;
    for (const auto& name : minimal::photoNames(folder)) {
        const std::string time = minimal::captureTime(folder + "/" + name);
        read += !time.empty();
        bytes += time.size();
    }
    std::printf("%zu capture times, %zu bytes\n", read, bytes);
    return 0;
}

int track(const std::string& path) {
    std::vector<std::uint32_t> times;
    if (!minimal::trackTimes(path, times)) return 2;
    std::printf("%zu points, last time %u\n", times.size(), times.empty() ? 0 : times.back());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "photos") return photos(argv[2]);
    if (argc == 3 && std::string(argv[1]) == "track") return track(argv[2]);
    std::fprintf(stderr, "usage: minimal-reader photos FOLDER | track FILE\n");
    return 2;
}
