// Loads the crafted photo that once read gigabytes: a sparse 2 GiB file whose 4096 Make entries each
// claim 2,000,000,000 value bytes. The aim is under 100 ms a load and under 50 MB peak memory; the peak
// is the whole process's (ru_maxrss), reported as the counter peak_MB.
#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "fixtures/SparsePhoto.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

using namespace pelmark;

void LoadSparsePhotoWith4096HugeEntries(benchmark::State& state) {
    test::TempDir dir;
    const std::string path = dir.file("hostile.jpg");
    if (!fixtures::writeSparsePhoto(path, 4096, 2'000'000'000, 2ULL << 30)) {
        state.SkipWithError("cannot write the sparse photo");
        return;
    }
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    for (auto _ : state) {
        Variant photo(path);
        control.LoadPictures(photo);
        if (control.surface().text("Hersteller") != "Leo") state.SkipWithError("wrong maker");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(LoadSparsePhotoWith4096HugeEntries)->Unit(benchmark::kMillisecond);

// An ordinary 16 MB file: 4096 Make entries over one text of 16 million letters without a zero.
void LoadPhotoWith4096EntriesOverA16MBText(benchmark::State& state) {
    test::TempDir dir;
    const std::string path = dir.file("letters.jpg");
    constexpr std::uint32_t kLetters = 16'000'000;
    const auto valueAt = static_cast<std::uint32_t>(14 + 12 * 4096);
    fixtures::JpegExifWriter photo;
    for (int k = 0; k < 4096; ++k)
        photo.main(fixtures::rawEntry(0x010F, 2, kLetters, valueAt));
    photo.patch(12 + valueAt, std::string(kLetters, 'A'));
    if (!photo.writeTo(path)) {
        state.SkipWithError("cannot write the photo");
        return;
    }
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    for (auto _ : state) {
        Variant file(path);
        control.LoadPictures(file);
    }
    state.counters["maker_bytes"] = static_cast<double>(control.surface().text("Hersteller").size());
}
BENCHMARK(LoadPhotoWith4096EntriesOverA16MBText)->Unit(benchmark::kMillisecond);

} // namespace
