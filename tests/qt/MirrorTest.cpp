#include "WidgetTestSupport.h"
#include "base/Error.h"
#include "platform/PictureLoader.h"
#include "widget/PictureBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace pelmark::test {
namespace {

// The widgets show the model's values in Qt's own terms: Latin-1 characters, line feeds, check states.
// A refresh must not echo back as a user edit, which would turn CR LF into a line feed and raise a
// second change.
TEST(Mirror, ProgramChangesOfTheModelReachTheWidgets) {
    WidgetControl c;
    int changes = 0;
    c.model().on("Description", Event::Change, [&](const EventArgs&) { ++changes; });
    c.model().setText("Description", "a\r\nb");
    EXPECT_EQ(c.find<QPlainTextEdit>("Description")->toPlainText(), "a\nb");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(c.model().text("Description"), "a\r\nb");

    c.model().setText("GPSLat", "48\xB0");
    EXPECT_EQ(c.find<QLineEdit>("GPSLat")->text(), QString::fromUtf8("48°"));
    auto* flash = c.find<QCheckBox>("Flash");
    c.model().setValue("Flash", 2);
    EXPECT_EQ(flash->checkState(), Qt::PartiallyChecked);
    c.model().setValue("Flash", 1);
    EXPECT_EQ(flash->checkState(), Qt::Checked);
}

// The console's widget driver covers plain typing, options and toolbar buttons; these are the edits it
// makes another way than a person does.
TEST(Mirror, UserActionsOnTheWidgetsReachTheModel) {
    WidgetControl c;
    QTest::keyClicks(c.find("KameraShift"), QString::fromUtf8("°"));
    EXPECT_EQ(c.model().text("KameraShift"), "31\xB0");
    QTest::keyClicks(c.find<QPlainTextEdit>("UserComment")->viewport(), "hi");
    EXPECT_EQ(c.model().text("UserComment"), "hi");
    auto* combo = c.find<QComboBox>("ExposureProgram");
    combo->setCurrentIndex(2);
    emit combo->textActivated(combo->itemText(2));
    EXPECT_EQ(c.model().text("ExposureProgram"), "3 - Aperture Priority");
    c.find<QTabWidget>("Tab1")->setCurrentIndex(4);
    EXPECT_EQ(c.model().get("Tab1").selected, 4);

    // The model's click rule, not Qt's three-state cycle: unticked to ticked, grey to unticked.
    auto* flash = c.find<QCheckBox>("Flash");
    flash->click();
    EXPECT_EQ(c.model().value("Flash"), 1);
    c.model().setValue("Flash", 2);
    flash->click();
    EXPECT_EQ(c.model().value("Flash"), 0);
}

TEST(Mirror, TheSpinArrowsStepTheValueWithinItsRange) {
    WidgetControl c;
    c.model().setMax("UpDown1", 3);
    c.model().setValue("UpDown1", 2);
    auto arrows = c.find("UpDown1")->findChildren<QAbstractButton*>();
    ASSERT_EQ(arrows.size(), 2);
    // Left arrow 0, right arrow 1; the top of the range holds.
    const std::pair<int, int> steps[] = {{1, 3}, {1, 3}, {0, 2}, {0, 1}};
    for (auto [arrow, expected] : steps) {
        arrows[arrow]->click();
        EXPECT_EQ(c.model().value("UpDown1"), expected);
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
    WidgetControl c;
    using Files = std::optional<std::vector<std::string>>;
    std::optional<Files> received;
    c.model().on("Bild", Event::Drop, [&](const EventArgs& args) { received = args.files; });
    auto drop = [&](QMimeData& data) {
        received.reset();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(c.find("Bild"), &enter);
        QCoreApplication::sendEvent(c.find("Bild"), &dropped);
    };
    QMimeData files, text;
    files.setUrls({QUrl::fromLocalFile("/p/a.jpg"), QUrl::fromLocalFile("/p/b.jpg")});
    drop(files);
    ASSERT_TRUE(received.has_value());
    EXPECT_EQ(*received, Files({"/p/a.jpg", "/p/b.jpg"}));
    // A drop without a file list still reaches the handler, which is told there are no files.
    text.setText("plain text");
    drop(text);
    ASSERT_TRUE(received.has_value());
    EXPECT_EQ(*received, std::nullopt);
}

TEST(Mirror, TheMouseMovingOverAToolbarOrItsButtonsReachesTheModel) {
    WidgetControl c;
    int moves = 0;
    c.model().on("Toolbar2", Event::MouseMove, [&](const EventArgs&) { ++moves; });
    auto* toolbar = c.find<QToolBar>("Toolbar2");
    ASSERT_NE(toolbar, nullptr);
    QWidget* button = toolbar->widgetForAction(c.widget->widgetSurface().toolAction("Toolbar2", "Options"));
    ASSERT_NE(button, nullptr);
    // Toolbar1 does not listen to the mouse: its move must not count.
    const std::pair<QWidget*, int> steps[] = {{toolbar, 1}, {button, 2}, {c.find("Toolbar1"), 2}};
    for (auto [target, expected] : steps) {
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
        EXPECT_EQ(moves, expected) << target->objectName().toStdString();
    }
}

TEST(Mirror, ThePictureBoxShowsTheModelsPicture) {
    WidgetControl c;
    QImage photo(32, 24, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    auto* box = c.find<PictureBox>("Bild");
    ASSERT_NE(box, nullptr);

    c.model().setPicture("Bild", pictureOf(photo));
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
