// Makes the pictures of the window for the documentation: `pelmark-screenshots TRIP SHIFTED OUTDIR` opens
// the sample trip in TRIP as the window host does and writes control-start.png (its first photo shown)
// and control-waypoints.png (the waypoint panel open); then it runs the trip in SHIFTED (the camera an
// hour ahead) and writes results-offer.png (the results with the finder's offer) and, with the offer
// taken, track-view.png (the photos on the track, photo 9 ringed). scripts/screenshots.sh runs it.

#include "control/VeltoraControl.h"
#include "host/HostWindow.h"
#include "host/OffsetBar.h"
#include "host/TrackView.h"
#include "sample/SampleTrip.h"
#include "widget/PictureBox.h"
#include "widget/ToolbarIcons.h"
#include "widget/Veltora.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPixmap>
#include <iostream>
#include <string>

namespace {

// Pictures are decoded on their own thread: the shot waits for the box to show one, for a while.
void waitForPicture(QWidget& window) {
    auto* box = window.findChild<pelmark::PictureBox*>(QStringLiteral("Bild"));
    const QDeadlineTimer deadline(10000);
    while (box && box->hasPicture() && box->image().isNull() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

bool save(QWidget& widget, const QString& file) {
    QApplication::processEvents();
    if (widget.grab().save(file)) return true;
    std::cerr << "pelmark-screenshots: cannot write " << file.toStdString() << "\n";
    return false;
}

std::string folder(const char* path) {
    std::string trip = path;
    if (!trip.ends_with('/')) trip += '/';
    return trip;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(new pelmark::FirstUseToolbarExtensionStyle);
    if (argc != 4) {
        std::cerr << "usage: pelmark-screenshots TRIP SHIFTED OUTDIR\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[3]));
    pelmark::host::HostWindow window;
    window.startUp("");
    window.resize(1500, 720);
    window.fitPanels();
    auto& control = window.control();

    window.openFolder(folder(argv[1]));
    waitForPicture(control);
    if (!save(control, out.filePath(QStringLiteral("control-start.png")))) return 1;
    control.control().surface().userClick(pelmark::ElementId::ShowHide);
    if (!save(control, out.filePath(QStringLiteral("control-waypoints.png")))) return 1;

    const std::string shifted = folder(argv[2]);
    window.openFolder(shifted);
    window.openTrack(shifted + pelmark::sample::kSampleTrackName);
    window.run();
    waitForPicture(control);
    if (!save(window, out.filePath(QStringLiteral("results-offer.png")))) return 1;

    window.applyOffset(window.offsetBar().offered());
    control.control().surface().userSetValue(pelmark::ElementId::UpDown1, 9);
    window.resize(1500, 1100); // room for the track below the results
    if (!save(window.trackView(), out.filePath(QStringLiteral("track-view.png")))) return 1;
    return 0;
}
