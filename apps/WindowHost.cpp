#include "WindowHost.h"

#include "host/HostWindow.h"
#include "widget/ToolbarIcons.h"

#include <QApplication>

int runWindowHost(int argc, char** argv, const std::string& path) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmark"));
    QApplication::setOrganizationName(QStringLiteral("Pelmark"));
    QApplication::setApplicationVersion(QStringLiteral(PELMARK_VERSION));
    QApplication::setStyle(new pelmark::FirstUseToolbarExtensionStyle);

    pelmark::host::HostWindow window;
    window.startUp(path);
    return QApplication::exec();
}
