// "RUN" in the window over 500 photos of a camera's size (12 megapixels, about 3 MB each), and the same
// photos stepped through with pictures on, each timed until the last photo's picture is on the screen.
// RUN's folder load greys "Bilder anzeigen", so the user ticks it while the run works.
#include "control/VeltoraControl.h"
#include "fixtures/BenchCorpus.h"
#include "fixtures/JpegExifWriter.h"
#include "fixtures/TrackFileWriter.h"
#include "qtplatform/PictureLoader.h"
#include "qtplatform/QtPlatform.h"
#include "support/TempDir.h"
#include "widget/PictureBox.h"
#include "widget/Veltora.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>

namespace {

using namespace pelmark;

constexpr int kPhotos = 500;
// A 4000 x 3000 picture with enough detail to weigh about 3 MB as a JPEG, encoded once; each photo is
// its own EXIF segment in front of those bytes.
std::string cameraJpeg() {
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator random(3);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb((x / 7 + y) & 255, static_cast<int>(random.bounded(256)), (y / 5) & 255);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 40);
    return std::string(bytes.constData() + 2, static_cast<std::size_t>(bytes.size() - 2)); // without SOI
}

struct Trip {
    Trip() {
        const std::string picture = cameraJpeg();
        for (int k = 1; k <= kPhotos; ++k)
            folder.write("P" + std::to_string(1000000 + k) + ".JPG",
                         fixtures::JpegExifWriter()
                                 .sub(fixtures::asciiEntry(0x9003, fixtures::runPhotoTakenAt(k)))
                                 .bytes() +
                             picture);
        folder.write("trip.t", fixtures::TrackFileWriter()
                                   .title("bench")
                                   .points(10000, fixtures::kAugust14At08 - 4000, 2)
                                   .bytes());
        photoBytes = picture.size();
    }
    test::TempDir folder;
    std::size_t photoBytes = 0;
};

// Until the box shows the picture the model holds for the current photo.
void waitForPicture(Veltora& widget) {
    auto* box = widget.findChild<PictureBox*>("Bild");
    const auto& model = widget.control().surface().get("Bild").picture;
    auto shown = [&] {
        const QImage* decoded = pictureImage(*model);
        return decoded && box->image().cacheKey() == decoded->cacheKey();
    };
    while (model && !shown())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

void windowRun(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "bench_WindowRun";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the process: destroyed among the statics, after Qt's own, it would crash.
    static auto* app = new QApplication(argc, argv);
    benchmark::DoNotOptimize(app);
    static Trip trip;
    test::TempDir settings;
    QtPlatform platform(SettingsStore(settings.folder()), TimeRecord::forSettingsFolder(settings.folder()));
    Veltora widget(platform);
    widget.show();
    Surface& surface = widget.control().surface();
    // The track path is known, so "RUN" asks no dialog.
    surface.setText("PathTxt", trip.folder.file("trip.t"));
    // No program to start here: its failure would wait in a message box.
    surface.setButtonPressed("Toolbar2", "GarTrip Starten", false);
    const bool steps = state.range(0) == 1;
    // RUN loads the track's folder twice, once itself and once in the matching run, and each load greys
    // "Bilder anzeigen": a tick before the matching run's folder scan is undone by it. So the user ticks
    // the box as the run starts on the photos: when it steps to photo 2, before that photo loads (the
    // window hands a click to the control at the first yield that handles events, which comes up to
    // 10 ms later; ticking here instead turns pictures on for every photo but the first). From grey, a
    // click unticks the box and a second one ticks it.
    const auto watch = surface.addObserver([&](const Element& element, Property property) {
        if (steps || element.id != ElementId::UpDown1 || property != Property::Value ||
            surface.value("UpDown1") != 2 || surface.value("ShowPictures") != 2)
            return;
        while (surface.value("ShowPictures") != 1)
            surface.userClick("ShowPictures");
    });
    surface.userClick("RunAllBtn"); // once untimed: the photos in the page cache
    waitForPicture(widget);
    // The benchmark's CPU time is the main thread's alone; this is the process's, picture thread included.
    const std::clock_t cpuBefore = std::clock();
    for (auto _ : state) {
        if (steps) {
            surface.setValue("ShowPictures", 1);
            for (int k = 1; k <= kPhotos; ++k) {
                Variant number(k);
                widget.control().PhotoPath(number);
            }
        } else {
            surface.userClick("RunAllBtn");
        }
        waitForPicture(widget);
    }
    state.counters["process_cpu_ms"] =
        benchmark::Counter(1000.0 * static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC,
                           benchmark::Counter::kAvgIterations);
    surface.removeObserver(watch);
    state.counters["photo_MB"] = static_cast<double>(trip.photoBytes) / 1e6;
    state.counters["reference_photo"] = widget.control().ReferencePhoto().asNumber();
    // The photo on display at the end, and whether the box shows its decoded picture.
    state.counters["shown_photo"] = surface.value("UpDown1");
    const auto& picture = surface.get("Bild").picture;
    state.counters["picture_shown"] =
        picture && pictureImage(*picture) &&
        widget.findChild<PictureBox*>("Bild")->image().cacheKey() == pictureImage(*picture)->cacheKey();
}

// 0: "RUN", the user ticking "Bilder anzeigen" as it starts on the photos; 1: steps with pictures on.
BENCHMARK(windowRun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
