// The matching run and the one-step run: the index against a million points, and a whole headless
// "RUN" of 500 photos against a 10,000-point track, warm cache, in process.
#include "control/VeltoraControl.h"
#include "fixtures/BenchCorpus.h"
#include "fixtures/JpegExifWriter.h"
#include "fixtures/TrackFileWriter.h"
#include "geotag/TrackIndex.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <string>

namespace {

using namespace pelmark;
using namespace pelmark::fixtures;

constexpr int kPhotos = 500;
// 500 photos against a million points spread over a month, unsorted (argument 2: 0) or in time order as
// a track log is written (1): the index is built each time.
void matcher(benchmark::State& state) {
    std::mt19937 random(7);
    std::vector<std::uint32_t> times(static_cast<std::size_t>(state.range(0)));
    for (auto& time : times)
        time = fixtures::kAugust14At08 - 13 * 86400 + static_cast<std::uint32_t>(random() % (30 * 86400));
    if (state.range(1) == 1) std::sort(times.begin(), times.end());
    for (auto _ : state) {
        const TrackIndex index(times);
        TrackIndex::Match last;
        for (int k = 1; k <= kPhotos; ++k)
            last = index.nearest(fixtures::runPhotoTakenAt(k), 31, false);
        benchmark::DoNotOptimize(last);
    }
}

void headlessRun(benchmark::State& state) {
    test::TempDir folder;
    for (int k = 1; k <= kPhotos; ++k)
        folder.write("P" + std::to_string(1000000 + k) + ".JPG",
                     JpegExifWriter()
                         .main(asciiEntry(0x010F, "ACME"))
                         .sub(asciiEntry(0x9003, fixtures::runPhotoTakenAt(k)))
                         .bytes());
    folder.write("trip.t",
                 TrackFileWriter().title("bench").points(10000, fixtures::kAugust14At08 - 4000, 2).bytes());
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    platform.queueFile(folder.file("trip.t"));
    control.surface().userClick("RunAllBtn"); // once untimed: warm cache, and the track path is known
    for (auto _ : state)
        control.surface().userClick("RunAllBtn");
    state.counters["reference_photo"] = control.ReferencePhoto().asNumber();
}

BENCHMARK(matcher)->Args({1000000, 0})->Args({1000000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(headlessRun)->Unit(benchmark::kMillisecond);

} // namespace
