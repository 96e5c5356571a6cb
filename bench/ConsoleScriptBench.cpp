// Feeds console scripts of growing length to one console: the time per line must stay flat, so a
// 10000-line script costs ten times a 1000-line one, not a hundred.
#include "console/Console.h"
#include "fixtures/JpegExifWriter.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <sstream>

namespace pelmark {
namespace {

// A mix of what scripts do: member calls with and without write-back, reads and changes of elements,
// records taken, and now and then a photo load from disk.
std::string scriptOf(std::int64_t lines, const std::string& photo) {
    const std::string block[] = {
        "Anzahl",
        R"(Wert "\u0001\u0002" "II")",
        ":get KameraShift",
        R"(:set KameraShift "12")",
        "TagExif 8",
        ":get StatusBar1.1",
        "PhotoCount",
        ":messages",
        "BinarWert 258 2",
        R"(:get "Toolbar2/GarTrip Starten" pressed)",
        "# a comment costs nothing",
        "LoadPictures \"" + photo + "\"",
        ":get Hersteller",
        "OpenFolder \"" + photo + "\"",
        ":dialogs",
    };
    std::string script;
    for (std::int64_t i = 0; i < lines; ++i)
        script += block[static_cast<std::size_t>(i) % std::size(block)] + "\n";
    return script;
}

void consoleScript(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "bench_ConsoleScript";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    test::TempDir dir;
    fixtures::JpegExifWriter photo;
    photo.main(fixtures::asciiEntry(0x010F, "ACME Camera Works"))
        .sub(fixtures::asciiEntry(0x9003, "2003:08:14 09:30:12"))
        .withPicture();
    std::string path = dir.write("P1010001.JPG", photo.bytes());
    std::string script = scriptOf(state.range(0), path);
    console::ConsoleOptions options;
    options.settingsFolder = dir.folder();

    std::int64_t lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        console::Console console(options);
        std::istringstream in(script);
        std::ostringstream out;
        state.ResumeTiming();
        if (console.run(in, out) != 0) state.SkipWithError("a line was not understood");
        lines += state.range(0);
    }
    state.SetItemsProcessed(lines);
    state.counters["per_line"] = benchmark::Counter(
        static_cast<double>(lines), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(consoleScript)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pelmark
