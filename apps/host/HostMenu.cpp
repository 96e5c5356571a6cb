#include "host/HostMenu.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace pelmark::host {

namespace {

void add(QMenu* menu, const QString& text, const std::function<void()>& action, QKeySequence shortcut = {}) {
    if (!action) return;
    QAction* entry = menu->addAction(text);
    entry->setShortcut(shortcut);
    // The control's fields take keys of their own; the window's shortcuts must reach the menu anyway.
    entry->setShortcutContext(Qt::ApplicationShortcut);
    QObject::connect(entry, &QAction::triggered, menu, [action] { action(); });
}

} // namespace

void buildMenu(QMainWindow& window, const MenuActions& actions) {
    QMenuBar* bar = window.menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&Datei"));
    add(file, QStringLiteral("&Ordner öffnen …"), actions.openFolder, QKeySequence::Open);
    add(file, QStringLiteral("&Track öffnen …"), actions.openTrack, QKeySequence(Qt::CTRL | Qt::Key_T));
    file->addSeparator();
    add(file, QStringLiteral("&Beenden"), actions.quit, QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* geotag = bar->addMenu(QStringLiteral("&Zuordnen"));
    add(geotag, QStringLiteral("&RUN: Track, Fotos, Zuordnung, Wegpunktdatei"), actions.run,
        QKeySequence(Qt::CTRL | Qt::Key_R));
    add(geotag, QStringLiteral("Trackdateien &suchen"), actions.searchTracks);
    add(geotag, QStringLiteral("&Zeitdifferenz aus einem Foto der GPS-Uhr …"), actions.clockPhoto);

    QMenu* extras = bar->addMenu(QStringLiteral("&Extras"));
    add(extras, QStringLiteral("&GARtrip-Programm wählen …"), actions.chooseGarTrip);

    QMenu* help = bar->addMenu(QStringLiteral("&Hilfe"));
    add(help, QStringLiteral("&Hilfe"), actions.help, QKeySequence::HelpContents);
    add(help, QStringLiteral("Ü&ber Pelmark"), actions.about);
}

} // namespace pelmark::host
