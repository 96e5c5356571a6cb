// The offset finder: 500 photos against a 10,000-point track, the index built from the raw times each
// time, as `pelmark geotag` does. Target: under 20 ms.
#include "geotag/OffsetFinder.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace pelmark;

constexpr int kPhotos = 500;
constexpr int kPoints = 10000;
constexpr std::uint32_t kAugust14At08 = 429782400; // compared as 10:00:00 on 14.08.2003

// Photos 20 s apart from 11:00:00 on the camera: an hour ahead of the track.
std::vector<std::string> photoTimes() {
    std::vector<std::string> times;
    for (int k = 0; k < kPhotos; ++k) {
        const int second = 11 * 3600 + 20 * k;
        char text[32];
        std::snprintf(text, sizeof text, "2003:08:14 %02d:%02d:%02d", second / 3600, second / 60 % 60,
                      second % 60);
        times.push_back(text);
    }
    return times;
}

// Points `step` seconds apart; after every `run` points the receiver pauses for `pause` seconds, so
// the track falls into that many covered stretches.
void finder(benchmark::State& state) {
    const auto step = static_cast<std::uint32_t>(state.range(0));
    const auto run = static_cast<int>(state.range(1));
    const std::uint32_t pause = 600;
    std::vector<std::uint32_t> points;
    std::uint32_t time = kAugust14At08;
    for (int p = 0; p < kPoints; ++p, time += step) {
        if (p % run == 0 && p > 0) time += pause;
        points.push_back(time);
    }
    const std::vector<std::string> photos = photoTimes();
    int matched = 0;
    for (auto _ : state) {
        const OffsetFound found = findOffset(photos, TrackIndex(points), {});
        matched = found.matched;
        benchmark::DoNotOptimize(matched);
    }
    state.counters["matched"] = matched;
}
// A point a second, no pause; a point every 5 s with a pause every 100 points (100 stretches); a
// point every 5 s with a pause every 10 points (1000 stretches, each photo meets all of them).
BENCHMARK(finder)->Args({1, kPoints})->Args({5, 100})->Args({5, 10})->Unit(benchmark::kMillisecond);

} // namespace
