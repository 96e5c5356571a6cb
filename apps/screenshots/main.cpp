// Makes the pictures of the control for the documentation: `pelmark-screenshots TRIP OUTDIR` opens the
// sample trip in TRIP as the window host does and writes control-start.png (its first photo shown) and
// control-waypoints.png (the waypoint panel open) into OUTDIR. scripts/screenshots.sh runs it.

#include "control/VeltoraControl.h"
#include "host/HostWindow.h"
#include "host/OpenAtStart.h"
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

bool save(QWidget& window, const QString& file) {
    QApplication::processEvents();
    if (window.grab().save(file)) return true;
    std::cerr << "pelmark-screenshots: cannot write " << file.toStdString() << "\n";
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(new pelmark::FirstUseToolbarExtensionStyle);
    if (argc != 3) {
        std::cerr << "usage: pelmark-screenshots TRIP OUTDIR\n";
        return 2;
    }
    QWidget window;
    auto* control = pelmark::host::placeControl(window);

    std::string trip = argv[1];
    if (!trip.ends_with('/')) trip += '/';
    pelmark::host::openAtStart(control->control(), trip);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    waitForPicture(window);
    if (!save(window, out.filePath(QStringLiteral("control-start.png")))) return 1;
    control->control().surface().userClick(pelmark::ElementId::ShowHide);
    if (!save(window, out.filePath(QStringLiteral("control-waypoints.png")))) return 1;
    return 0;
}
