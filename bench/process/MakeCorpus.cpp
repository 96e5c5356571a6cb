// Writes the whole-process benchmark's corpus into a folder: the bench photos and the bench track.
#include "fixtures/BenchCorpus.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    using namespace pelmark::fixtures;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-corpus FOLDER\n");
        return 2;
    }
    if (!writeBenchCorpus(argv[1], kBenchPhotos, "bench.t", kBenchTrackPoints)) {
        std::fprintf(stderr, "cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
