#include "WidgetTestSupport.h"
#include "base/Error.h"
#include "qtplatform/PictureLoader.h"
#include "support/TempDir.h"
#include "widget/PictureBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <functional>

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
}

// A photo load clears fields, boxes and enabled states and sets them again; the widgets take only the
// last state, at the loop's next turn, so each is laid out once per load.
TEST(Mirror, ChangesReachTheWidgetsOnceAtTheLoopsNextTurn) {
    WidgetControl c;
    auto* edit = c.find<QLineEdit>("GPSLat");
    auto* box = c.find<QCheckBox>("Flash");
    auto* strobe = c.find<QCheckBox>("StrobeReturnLight");
    auto* list = c.find<QComboBox>("ExposureProgram");
    const struct {
        const char* what;
        std::function<void()> change;
        std::function<QString()> shown;
    } cases[] = {
        // clang-format off
        {"edit text",    [&] { c.model().setText("GPSLat", "1"), c.model().setText("GPSLat", "2"); }, [&] { return edit->text(); }},
        {"check state",  [&] { c.model().setValue("Flash", 1), c.model().setValue("Flash", 2); },
         [&] { return QString::number(box->checkState()); }},
        {"enabled",      [&] { c.model().setEnabled("StrobeReturnLight", !c.model().get("StrobeReturnLight").enabled); },
         [&] { return QString::number(strobe->isEnabled()); }},
        {"list entries", [&] { c.model().setItems("ExposureProgram", {"a", "b"}), c.model().setSelected("ExposureProgram", 1); },
         [&] { return list->currentText() + QString::number(list->count()); }},
        {"list text",    [&] { c.model().setText("ExposureProgram", "x"), c.model().setText("ExposureProgram", "y"); },
         [&] { return list->currentText(); }},
        // clang-format on
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        const QString before = row.shown();
        row.change();
        EXPECT_EQ(row.shown(), before);
        QCoreApplication::sendPostedEvents();
        EXPECT_NE(row.shown(), before);
    }
    EXPECT_EQ(edit->text(), "2");
    EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(list->currentText(), "y");
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
    // Left arrow 0, right arrow 1; the top of the range holds, and so does photo 1.
    const std::pair<int, int> steps[] = {{1, 3}, {1, 3}, {0, 2}, {0, 1}, {0, 1}};
    for (auto [arrow, expected] : steps) {
        arrows[arrow]->click();
        EXPECT_EQ(c.model().value("UpDown1"), expected);
    }
}

// The number field and the spin control take the keys a spin box takes; the model clamps the result.
TEST(Mirror, KeysStepThePhotoNumber) {
    struct Case {
        const char *name, *target;
        Qt::Key key;
        int expected;
        int start = 15;
    };
    const Case cases[] = {
        {"Up in the number field", "ActPictNum", Qt::Key_Up, 16},
        {"Down in the number field", "ActPictNum", Qt::Key_Down, 14},
        {"Page Up in the number field, up to the last", "ActPictNum", Qt::Key_PageUp, 20},
        {"Page Down in the number field", "ActPictNum", Qt::Key_PageDown, 5},
        {"Left in the number field moves its cursor", "ActPictNum", Qt::Key_Left, 15},
        {"Right on the spin control", "UpDown1", Qt::Key_Right, 16},
        {"Left on the spin control", "UpDown1", Qt::Key_Left, 14},
        {"Page Down on the spin control stops at photo 1", "UpDown1", Qt::Key_PageDown, 1, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WidgetControl control;
        control.model().setMax("UpDown1", 20);
        control.model().setValue("UpDown1", c.start);
        QTest::keyClick(control.find(c.target), c.key);
        EXPECT_EQ(control.model().value("UpDown1"), c.expected);
    }
}

TEST(Mirror, TabLeavesTheMultiLineFieldsUntyped) {
    for (const char* name : {"Description", "UserComment"}) {
        SCOPED_TRACE(name);
        WidgetControl c;
        QTest::keyClick(c.find(name), Qt::Key_Tab);
        EXPECT_EQ(c.model().text(name), "");
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

// A file error reaches the user in the control's language, naming the file; other errors as they are.
TEST(Mirror, AFailingUserActionReachesTheUserAsAMessage) {
    TempDir dir;
    const std::string folder = dir.folder() + "e_folder.jpg";
    std::filesystem::create_directories(folder);
    struct Case {
        const char* name;
        PelmarkError thrown;
        std::string expected;
    };
    // clang-format off
    const Case cases[] = {
        {"any other error", {ErrorKind::FileRead, "Datei kaputt"}, "Datei kaputt"},
        {"a cut-off photo", {ErrorKind::FileRead, "Input past end of file: /f/d_text.jpg"}, "/f/d_text.jpg ist keine lesbare Fotodatei"},
        {"a folder",        {ErrorKind::FileRead, "Path/File access error: " + folder}, folder + " ist ein Ordner"},
        {"a missing file",  {ErrorKind::FileNotFound, "File not found: /f/x.jpg"}, "/f/x.jpg wurde nicht gefunden"},
        {"another job going on", {ErrorKind::Busy, "Another job is in progress"},
         "Gerade l\xe4uft schon ein anderer Vorgang. Bitte warten, bis er fertig ist, oder Stop dr\xfc" "cken."},
        {"a date piece", {ErrorKind::Overflow, "date piece out of range: 1e99"},
         "Das Datum enth\xe4lt die Zahl 1e99; so gro\xdf ist kein Teil eines Datums."},
        {"two paths", {ErrorKind::FileWrite, "cannot keep the times of /M\xc3\xbcnchen/a.jpg in /r/t.txt before changing them"},
         "Die Zeiten von /M\xfcnchen/a.jpg bleiben, wie sie sind: sie lie\xdf" "en sich vorher nicht in /r/t.txt festhalten."},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WidgetControl control;
        control.model().on("ShowHide", Event::Click, [&](const EventArgs&) { throw c.thrown; });
        control.find<QAbstractButton>("ShowHide")->click();
        auto messages = control.platform.takeMessages();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.back().text, c.expected);
    }
}

} // namespace
} // namespace pelmark::test
