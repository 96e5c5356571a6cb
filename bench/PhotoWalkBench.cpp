// Walks a folder of 500 photos with PhotoPath 1..500, headless, as the matching run walks a collection.
#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>
#include <string>
#include <string_view>

namespace {

using namespace pelmark;
using namespace pelmark::fixtures;

constexpr int kPhotos = 500;

// A photo as a camera writes one: the usual tags of both directories, with the small picture behind.
// Texts are built by appending: GCC 12 at -O3 misreads a literal put in front of a temporary string.
std::string numbered(std::string_view prefix, int number) {
    std::string text(prefix);
    text += std::to_string(number);
    return text;
}

std::string cameraPhoto(int k) {
    const std::string date = numbered("2003:08:14 09:30:", 10 + k % 50);
    return JpegExifWriter()
        .main(asciiEntry(0x010F, "ACME Camera Works"))
        .main(asciiEntry(0x0110, numbered("Model ", k % 7)))
        .main(shortEntry(0x0112, 1))
        .main(asciiEntry(0x0131, "Firmware 1.0"))
        .main(asciiEntry(0x0132, date))
        .sub(rationalEntry(0x829A, 1, 125))
        .sub(rationalEntry(0x829D, 28, 10))
        .sub(shortEntry(0x8822, 2))
        .sub(undefinedEntry(0x9000, "0210"))
        .sub(asciiEntry(0x9003, date))
        .sub(asciiEntry(0x9004, date))
        .sub(shortEntry(0x9209, 1))
        .sub(rationalEntry(0x920A, 63, 10))
        .sub(asciiEntry(0x9291, "00"))
        .withPicture()
        .bytes();
}

void photoWalk(benchmark::State& state) {
    test::TempDir folder;
    for (int k = 1; k <= kPhotos; ++k)
        folder.write(numbered("P", 1000000 + k).append(".JPG"), cameraPhoto(k));
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
