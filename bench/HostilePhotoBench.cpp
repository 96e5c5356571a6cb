// Loads the crafted photo that once read gigabytes: a sparse 2 GiB file whose 4096 Make entries each
// claim 2,000,000,000 value bytes. The aim is under 100 ms a load and under 50 MB peak memory; the peak
// is the whole process's (ru_maxrss), reported as the counter peak_MB.
#include "control/VeltoraControl.h"
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

} // namespace
