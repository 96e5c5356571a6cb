// The new user's path through the window, on a real display: `pelmark-walkthrough TRIP` opens the
// sample trip in TRIP (its camera an hour ahead) and its track, shows the waypoint generator, presses
// RUN, reads what the results say, takes the offered offset, presses RUN again and reads the results
// and the waypoint file. It says each step and fails at the first one that does not show what a user
// must see. scripts/walkthrough.sh runs it under Xvfb.

#include "control/VeltoraControl.h"
#include "host/HostWindow.h"
#include "sample/SampleTrip.h"
#include "widget/ToolbarIcons.h"
#include "widget/Veltora.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QTest>
#include <iostream>
#include <string>

namespace {

int failures = 0;

void check(bool ok, const std::string& what, const QString& seen = {}) {
    std::cout << (ok ? "ok     " : "FAILED ") << what;
    if (!seen.isNull()) std::cout << " (shows: " << seen.toStdString() << ")";
    std::cout << "\n";
    if (!ok) ++failures;
}

template <typename Widget>
Widget* named(QWidget& window, const char* name) {
    auto* found = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!found) check(false, std::string("the window holds ") + name);
    return found;
}

// What a label or a field shows, when it can be seen.
QString textOf(QWidget& window, const char* name) {
    QWidget* shown = named<QWidget>(window, name);
    return shown && shown->isVisible() ? shown->property("text").toString() : QString();
}

// A click as the user makes it: on a button that can be seen and pressed.
bool click(QWidget& window, const char* name) {
    QAbstractButton* button = named<QAbstractButton>(window, name);
    if (!button || !button->isVisible() || !button->isEnabled()) {
        check(false, std::string("a button to press: ") + name);
        return false;
    }
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(new pelmark::FirstUseToolbarExtensionStyle);
    if (argc != 2) {
        std::cerr << "usage: pelmark-walkthrough TRIP\n";
        return 2;
    }
    std::string trip = argv[1];
    if (!trip.ends_with('/')) trip += '/';
    check(QApplication::platformName() == QStringLiteral("xcb"), "on an X server",
          QApplication::platformName());

    pelmark::host::HostWindow window;
    window.setMessenger([](const QString& text) { check(false, "no message from the window", text); });
    window.startUp("");
    check(QTest::qWaitForWindowExposed(&window), "the window is shown");
    QWidget& control = window.control();
    const QRect screen = window.screen()->availableGeometry();
    check(screen.contains(window.frameGeometry()), "the window fits the screen",
          QStringLiteral("%1x%2 on %3x%4")
              .arg(window.frameGeometry().width())
              .arg(window.frameGeometry().height())
              .arg(screen.width())
              .arg(screen.height()));

    check(window.openFolder(trip), "the trip's folder opens");
    window.openTrack(trip + pelmark::sample::kSampleTrackName);
    click(control, "ShowHide");
    if (!click(control, "RunAllBtn")) return 1;
    check(textOf(window, "ResultMatched") == QStringLiteral("15 von 24"), "RUN: 15 of 24 photos matched",
          textOf(window, "ResultMatched"));
    const QString offer = textOf(window, "OffsetBarText");
    check(offer.contains(QStringLiteral("1 h vor passen 19 statt 15 Fotos")), "the bar offers the hour",
          offer);

    if (!click(window, "OffsetBarApply")) return 1;
    auto& surface = window.control().control().surface();
    check(surface.text(pelmark::ElementId::KameraShift) == "3569" &&
              surface.value(pelmark::ElementId::KameraVor) == 1,
          "the offset is entered: 3569 s, camera ahead",
          QString::fromStdString(surface.text(pelmark::ElementId::KameraShift)));
    check(textOf(window, "ResultMatched") == QStringLiteral("19 von 24"), "matched again: 19 of 24",
          textOf(window, "ResultMatched"));
    check(!window.findChild<QWidget*>(QStringLiteral("OffsetBar"))->isVisible(),
          "the bar has nothing more to offer");

    if (!click(control, "RunAllBtn")) return 1;
    check(textOf(window, "ResultMatched") == QStringLiteral("19 von 24"), "RUN again: 19 of 24",
          textOf(window, "ResultMatched"));
    const QString file = textOf(window, "ResultWayPointFile");
    check(file.endsWith(QStringLiteral(".wp")) && QFileInfo(file).isFile(),
          "the waypoint file is shown and there", file);
    QAbstractButton* open = named<QAbstractButton>(window, "ResultOpenFolder");
    check(open && open->isEnabled(), "its folder can be opened");

    window.close();
    std::cout << (failures == 0 ? "the new user's path works\n" : "the new user's path is broken\n");
    return failures == 0 ? 0 : 1;
}
