// Walks a folder of 500 photos with PhotoPath 1..500, headless, as the matching run walks a collection.
#include "control/VeltoraControl.h"
#include "fixtures/BenchCorpus.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

namespace {

using namespace pelmark;
using namespace pelmark::fixtures;

constexpr int kPhotos = kBenchPhotos;

void photoWalk(benchmark::State& state) {
    test::TempDir folder;
    for (int k = 1; k <= kPhotos; ++k)
        folder.write(benchPhotoName(k), benchPhoto(k));
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    Variant path(folder.folder());
    control.OpenFolder(path);

    auto walk = [&control] {
        for (int number = 1; number <= kPhotos; ++number) {
            Variant photoNumber(number);
            benchmark::DoNotOptimize(control.PhotoPath(photoNumber));
        }
    };
    // Once untimed, so the photos are in the page cache and the walk ends away from photo 1.
    walk();
    for (auto _ : state)
        walk();
    state.counters["per_photo"] = benchmark::Counter(kPhotos, benchmark::Counter::kIsIterationInvariantRate |
                                                                  benchmark::Counter::kInvert);
}

BENCHMARK(photoWalk)->Unit(benchmark::kMillisecond);

} // namespace
