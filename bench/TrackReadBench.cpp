// Reads a full 10000-point track through the reader, as "1. Load Track" does with a known path.
#include "fixtures/TrackFileWriter.h"
#include "support/TempDir.h"
#include "track/TrackRig.h"

#include <benchmark/benchmark.h>

namespace pelmark {
namespace {

void readFullTrack(benchmark::State& state) {
    test::TempDir dir;
    fixtures::TrackFilePoint named;
    named.text = "Wegpunkt";
    fixtures::TrackFileWriter writer;
    writer.title("Volle Spur").point(named).points(9999, 424512031, 1);
    const std::string path = dir.write("full.t", writer.bytes());

    test::TrackRig rig;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rig.read(path));
    }
    if (rig.anzahl != Variant(9999)) state.SkipWithError("the track was not read completely");
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(readFullTrack)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pelmark
