// Writes the whole-process benchmark's corpus into a folder: the bench photos and the bench track. With
// PHOTOS and FOLDERS, writes PHOTOS bench photos spread over FOLDERS folders f01, f02, ... instead, and
// no track (the GPX benchmarks bring their own, bench_make_gpx).
#include "fixtures/BenchCorpus.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    using namespace pelmark::fixtures;
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: make-corpus FOLDER [PHOTOS FOLDERS]\n");
        return 2;
    }
    if (argc == 2) {
        if (!writeBenchCorpus(argv[1], kBenchPhotos, "bench.t", kBenchTrackPoints)) {
            std::fprintf(stderr, "cannot write into %s\n", argv[1]);
            return 1;
        }
        return 0;
    }
    const int photos = std::atoi(argv[2]), folders = std::max(1, std::atoi(argv[3]));
    for (int k = 1; k <= photos; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "f%02d", (k - 1) * folders / photos + 1);
        const std::filesystem::path folder = std::filesystem::path(argv[1]) / name;
        std::filesystem::create_directories(folder);
        std::ofstream out(folder / benchPhotoName(k), std::ios::binary);
        const std::string bytes = benchPhoto(k);
        if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return 1;
    }
    return 0;
}
