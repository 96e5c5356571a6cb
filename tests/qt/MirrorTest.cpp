#include "WidgetTestSupport.h"
#include "base/Error.h"
#include "widget/PictureBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <functional>

namespace pelmark::test {
namespace {

// What a widget shows of its element, as one comparable text.
QString shown(WidgetControl& c, const char* name) {
    QWidget* w = c.find(name);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* lines = qobject_cast<QPlainTextEdit*>(w)) return lines->toPlainText();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText() + "#" + QString::number(combo->currentIndex());
    if (auto* radio = qobject_cast<QRadioButton*>(w)) return radio->isChecked() ? "on" : "off";
    if (auto* box = qobject_cast<QCheckBox*>(w)) return QString::number(static_cast<int>(box->checkState()));
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) return QString::number(tabs->currentIndex());
    return {};
}

TEST(Mirror, ProgramChangesOfTheModelReachTheWidgets) {
    struct Case {
        const char* name;
        const char* element;
        std::function<void(Surface&)> change;
        QString expected;
    };
    const Case cases[] = {
        {"text field", "FilePath", [](Surface& s) { s.setText("FilePath", "/p/a.jpg"); }, "/p/a.jpg"},
        {"byte above 127 shows as its Latin-1 character", "GPSLat",
         [](Surface& s) { s.setText("GPSLat", "48\xB0"); }, QString::fromUtf8("48°")},
        {"label", "PictureCount", [](Surface& s) { s.setText("PictureCount", "12"); }, "12"},
        {"grey check box", "Flash", [](Surface& s) { s.setValue("Flash", 2); }, "1"},
        {"ticked check box", "Flash", [](Surface& s) { s.setValue("Flash", 1); }, "2"},
        {"option clears its sibling", "KameraNach", [](Surface& s) { s.setValue("KameraVor", 1); }, "off"},
        {"list entry by text", "ExposureProgram",
         [](Surface& s) { s.setText("ExposureProgram", "2 - Program Normal"); }, "2 - Program Normal#1"},
        {"free text in the list field", "ExposureProgram",
         [](Surface& s) { s.setText("ExposureProgram", "9"); }, "9#-1"},
        {"multi-line field shows line feeds", "Description",
         [](Surface& s) { s.setText("Description", "a\r\nb"); }, "a\nb"},
        {"tab in front", "Tab1", [](Surface& s) { s.setSelected("Tab1", 3); }, "3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WidgetControl control;
        c.change(control.model());
        EXPECT_EQ(shown(control, c.element), c.expected);
    }
}

TEST(Mirror, UserActionsOnTheWidgetsReachTheModel) {
    struct Case {
        const char* name;
        std::function<void(WidgetControl&)> act;
        std::function<std::string(Surface&)> read;
        std::string expected;
    };
    auto text = [](const char* name) { return [name](Surface& s) { return s.text(name); }; };
    auto value = [](const char* name) {
        return [name](Surface& s) { return std::to_string(s.value(name)); };
    };
    const Case cases[] = {
        {"typing into a field", [](WidgetControl& c) { QTest::keyClicks(c.find("KameraShift"), "5"); },
         text("KameraShift"), "315"},
        {"typing a Latin-1 character",
         [](WidgetControl& c) { QTest::keyClicks(c.find("GPSLon"), QString::fromUtf8("°")); }, text("GPSLon"),
         "\xB0"},
        {"ticking an unticked box", [](WidgetControl& c) { c.find<QCheckBox>("Flash")->click(); },
         value("Flash"), "1"},
        {"clicking a grey box unticks it",
         [](WidgetControl& c) {
             c.model().setValue("Flash", 2);
             c.find<QCheckBox>("Flash")->click();
         },
         value("Flash"), "0"},
        {"choosing an option", [](WidgetControl& c) { c.find<QRadioButton>("KameraVor")->click(); },
         value("KameraNach"), "0"},
        {"choosing a list entry",
         [](WidgetControl& c) {
             auto* combo = c.find<QComboBox>("ExposureProgram");
             combo->setCurrentIndex(2);
             emit combo->textActivated(combo->itemText(2));
         },
         text("ExposureProgram"), "3 - Aperture Priority"},
        {"typing into a multi-line field",
         [](WidgetControl& c) { QTest::keyClicks(c.find<QPlainTextEdit>("UserComment")->viewport(), "hi"); },
         text("UserComment"), "hi"},
        {"two-state toolbar button",
         [](WidgetControl& c) {
             c.widget->widgetSurface().toolAction("Toolbar2", "GarTrip Starten")->trigger();
         },
         [](Surface& s) { return std::to_string(s.get("Toolbar2").buttons[1].pressed); }, "0"},
        {"picking a tab", [](WidgetControl& c) { c.find<QTabWidget>("Tab1")->setCurrentIndex(4); },
         [](Surface& s) { return std::to_string(s.get("Tab1").selected); }, "4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WidgetControl control;
        c.act(control);
        EXPECT_EQ(c.read(control.model()), c.expected);
    }
}

// A widget that reported its own refresh as a user edit would turn the model's CR LF into a line
// feed and raise a second change.
TEST(Mirror, RefreshesDoNotEchoBackIntoTheModel) {
    WidgetControl c;
    int changes = 0;
    c.model().on("Description", Event::Change, [&](const EventArgs&) { ++changes; });
    c.model().setText("Description", "one\r\ntwo");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(c.model().text("Description"), "one\r\ntwo");
}

TEST(Mirror, TheSpinArrowsStepTheValueWithinItsRange) {
    WidgetControl c;
    c.model().setMax("UpDown1", 3);
    c.model().setValue("UpDown1", 2);
    auto* spin = c.find("UpDown1");
    ASSERT_TRUE(spin);
    auto arrows = spin->findChildren<QAbstractButton*>();
    ASSERT_EQ(arrows.size(), 2);
    struct Step {
        const char* name;
        int arrow; // 0 = left, 1 = right
        int expected;
    };
    const Step steps[] = {{"up", 1, 3}, {"up at the top stays", 1, 3}, {"down", 0, 2}, {"down", 0, 1}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        arrows[step.arrow]->click();
        EXPECT_EQ(c.model().value("UpDown1"), step.expected);
    }
}

TEST(Mirror, TheHintTimerRunsWhileTheModelSaysSo) {
    WidgetControl c;
    QTimer* timer = c.widget->widgetSurface().timer("GarTripToolTipTextTimer");
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    c.model().setTimerEnabled("GarTripToolTipTextTimer", true);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    int fired = 0;
    c.model().on("GarTripToolTipTextTimer", Event::Timer, [&](const EventArgs&) { ++fired; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired > 0; }, 3000));
    c.model().setTimerEnabled("GarTripToolTipTextTimer", false);
    EXPECT_FALSE(timer->isActive());
}

TEST(Mirror, FilesDroppedOntoThePictureReachTheDropHandler) {
    struct Case {
        const char* name;
        QList<QUrl> urls;
        std::optional<std::vector<std::string>> expected;
    };
    const Case cases[] = {
        {"two files",
         {QUrl::fromLocalFile("/p/a.jpg"), QUrl::fromLocalFile("/p/b.jpg")},
         std::vector<std::string>{"/p/a.jpg", "/p/b.jpg"}},
        {"no file list", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WidgetControl control;
        std::optional<std::optional<std::vector<std::string>>> received;
        control.model().on("Bild", Event::Drop, [&](const EventArgs& args) { received = args.files; });
        QMimeData data;
        if (c.urls.isEmpty())
            data.setText("plain text");
        else
            data.setUrls(c.urls);
        QWidget* box = control.find("Bild");
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &enter);
        QCoreApplication::sendEvent(box, &drop);
        ASSERT_TRUE(received.has_value());
        EXPECT_EQ(*received, c.expected);
    }
}

TEST(Mirror, TheMouseMovingOverAToolbarOrItsButtonsReachesTheModel) {
    WidgetControl c;
    int moves = 0;
    c.model().on("Toolbar2", Event::MouseMove, [&](const EventArgs&) { ++moves; });
    auto* toolbar = c.find<QToolBar>("Toolbar2");
    ASSERT_NE(toolbar, nullptr);
    QWidget* button = toolbar->widgetForAction(c.widget->widgetSurface().toolAction("Toolbar2", "Options"));
    ASSERT_NE(button, nullptr);
    for (QWidget* target : {static_cast<QWidget*>(toolbar), button}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
    }
    EXPECT_EQ(moves, 2);
    // Other elements do not listen to the mouse.
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(c.find("Toolbar1"), &move);
    EXPECT_EQ(moves, 2);
}

TEST(Mirror, ThePictureBoxShowsTheModelsPicture) {
    WidgetControl c;
    QImage photo(32, 24, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    Picture picture{32, 24, std::make_shared<const QImage>(photo)};
    auto* box = c.find<PictureBox>("Bild");
    ASSERT_NE(box, nullptr);

    c.model().setPicture("Bild", picture);
    EXPECT_TRUE(box->hasPicture());
    EXPECT_EQ(box->image(), photo);
    // Stretched over the whole box: the middle of the grabbed box is the photo's colour.
    QImage grabbed = box->grab().toImage();
    EXPECT_EQ(grabbed.pixelColor(grabbed.width() / 2, grabbed.height() / 2), QColor(Qt::blue));

    // A picture known only by its size still counts as shown, with nothing to paint.
    c.model().setPicture("Bild", Picture{640, 480, nullptr});
    EXPECT_TRUE(box->hasPicture());
    EXPECT_TRUE(box->image().isNull());

    c.model().setPicture("Bild", std::nullopt);
    EXPECT_FALSE(box->hasPicture());
}

TEST(Mirror, AFailingUserActionReachesTheUserAsAMessage) {
    WidgetControl c;
    c.model().on("ShowHide", Event::Click,
                 [](const EventArgs&) { throw PelmarkError(ErrorKind::FileRead, "Datei kaputt"); });
    c.find<QAbstractButton>("ShowHide")->click();
    auto messages = c.platform.takeMessages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, "Datei kaputt");
}

} // namespace
} // namespace pelmark::test
