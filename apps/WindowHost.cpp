#include "WindowHost.h"

#include "host/HostWindow.h"
#include "host/OpenAtStart.h"
#include "widget/ToolbarIcons.h"
#include "widget/Veltora.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <exception>

int runWindowHost(int argc, char** argv, const std::string& path) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmark"));
    QApplication::setOrganizationName(QStringLiteral("Pelmark"));
    QApplication::setApplicationVersion(QStringLiteral(PELMARK_VERSION));
    QApplication::setStyle(new pelmark::FirstUseToolbarExtensionStyle);

    QWidget window;
    auto* control = pelmark::host::placeControl(window);

    if (!path.empty()) {
        // Once the window is up, so the user sees the scan run.
        QTimer::singleShot(0, control, [control, path] {
            try {
                pelmark::host::openAtStart(control->control(), path);
            } catch (const std::exception& error) {
                QMessageBox::warning(control, QStringLiteral("Pelmark"), QString::fromLatin1(error.what()));
            }
        });
    }
    return QApplication::exec();
}
