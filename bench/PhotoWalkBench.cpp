// Walks a folder of 500 photos with PhotoPath 1..500, headless, as the matching run walks a collection.
#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace pelmark;
using namespace pelmark::fixtures;

constexpr int kPhotos = 500;

// A photo as a camera writes one: the usual tags of both directories, with the small picture behind.
std::string cameraPhoto(int k) {
    std::string second = std::to_string(10 + k % 50);
    return JpegExifWriter()
        .main(asciiEntry(0x010F, "ACME Camera Works"))
        .main(asciiEntry(0x0110, "Model " + std::to_string(k % 7)))
        .main(shortEntry(0x0112, 1))
        .main(asciiEntry(0x0131, "Firmware 1.0"))
        .main(asciiEntry(0x0132, "2003:08:14 09:30:" + second))
        .sub(rationalEntry(0x829A, 1, 125))
        .sub(rationalEntry(0x829D, 28, 10))
        .sub(shortEntry(0x8822, 2))
        .sub(undefinedEntry(0x9000, "0210"))
        .sub(asciiEntry(0x9003, "2003:08:14 09:30:" + second))
        .sub(asciiEntry(0x9004, "2003:08:14 09:30:" + second))
        .sub(shortEntry(0x9209, 1))
        .sub(rationalEntry(0x920A, 63, 10))
        .sub(asciiEntry(0x9291, "00"))
        .withPicture()
        .bytes();
}

void photoWalk(benchmark::State& state) {
    test::TempDir folder;
    for (int k = 1; k <= kPhotos; ++k)
        folder.write("P" + std::to_string(1000000 + k) + ".JPG", cameraPhoto(k));
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
