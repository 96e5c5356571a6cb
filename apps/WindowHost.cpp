#include "WindowHost.h"

#include "base/Variant.h"
#include "control/VeltoraControl.h"
#include "widget/Veltora.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <exception>
#include <string>

namespace {

// The folder scan takes the folder part of its path: a folder named without its closing separator
// would open its parent instead.
std::string asFolderPath(std::string path) {
    if (!path.empty() && path.back() != '/') path += '/';
    return path;
}

} // namespace

int runWindowHost(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmark"));
    QApplication::setOrganizationName(QStringLiteral("Pelmark"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Pelmark"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* control = new pelmark::Veltora(&window);
    layout->addWidget(control);
    window.show();

    if (argc > 1) {
        std::string folder = asFolderPath(argv[1]);
        // Once the window is up, so the user sees the scan run.
        QTimer::singleShot(0, control, [control, folder] {
            pelmark::Variant path(folder);
            try {
                control->control().OpenFolder(path);
            } catch (const std::exception& error) {
                QMessageBox::warning(control, QStringLiteral("Pelmark"),
                                     QString::fromLocal8Bit(error.what()));
            }
        });
    }
    return QApplication::exec();
}
