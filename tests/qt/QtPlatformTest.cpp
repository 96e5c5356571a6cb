#include "qtplatform/QtPlatform.h"

#include "fixtures/JpegExifWriter.h"
#include "qtplatform/PictureLoader.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace pelmark::test {
namespace {

// Runs `call`, and `act` on the modal dialog it brings up as soon as it is up, as the user would.
template <typename Dialog, typename Act, typename Call>
auto answering(Act act, Call call) {
    QTimer::singleShot(0, [act] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            act(dialog);
        else
            ADD_FAILURE() << "no such dialog came up";
    });
    return call();
}

TEST(QtPlatform, DialogFiltersBecomeQtNameFilters) {
    struct Case {
        const char *name, *filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"label without a pattern is dropped", "JPEG|*.jpg|Rest", {"JPEG (*.jpg)"}},
        {"empty pattern is dropped", "Leer||Alle|*.*", {"Alle (*.*)"}},
        {"empty filter", "", {}},
        {"umlaut in a label", "Bilder \xFC|*.jpg", {QString::fromUtf8("Bilder ü (*.jpg)")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(qtNameFilters(c.filter), c.expected);
    }
}

// The file dialog shows the filter and the preset name and answers the choice; the folder scan's comes
// preset with a placeholder name, which a folder, a photo or the placeholder itself answers.
TEST(QtPlatform, TheFileDialogShowsTheFilterAndPresetNameAndAnswersTheChoice) {
    TempDir dir;
    const std::string photo = dir.write("trip/a.jpg", "x");
    const std::string placeholder = dir.folder() + "Alle Dateien";
    struct Case {
        const char* name;
        std::string preset;
        QString chosen; // empty: the preset as it stands
        bool accept;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"accepted", photo, {}, true, photo},
        {"cancelled", photo, {}, false, std::nullopt},
        {"the placeholder", placeholder, {}, true, placeholder},
        {"a folder", placeholder, "trip", true, dir.folder() + "trip/"},
        {"a photo", placeholder, "trip/a.jpg", true, photo},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList filters, preselected;
        auto chosen = answering<QFileDialog>(
            [&](QFileDialog* dialog) {
                filters = dialog->nameFilters();
                preselected = dialog->selectedFiles();
                if (!c.chosen.isEmpty()) dialog->selectFile(c.chosen);
                QDialog* asDialog = dialog; // accept() is the dialog's own, reached through QDialog
                c.accept ? asDialog->accept() : asDialog->reject();
                if (asDialog->isVisible()) asDialog->reject(); // refused: end it, not the test run
            },
            [&] { return QtPlatform().openFileDialog("JPEG|*.jpg;*.jpeg|Alle|*.*", c.preset); });
        EXPECT_EQ(filters, QStringList({"JPEG (*.jpg *.jpeg)", "Alle (*.*)"}));
        EXPECT_EQ(preselected, QStringList({QString::fromStdString(c.preset)}));
        EXPECT_EQ(chosen, c.expected);
    }
}

TEST(QtPlatform, MessageBoxesCarryTheDefaultTitleAndAnswerTheButtonPressed) {
    struct Case {
        MessageButtons buttons;
        std::string title;
        QMessageBox::StandardButton press;
        QString expectedTitle;
        MessageAnswer expected;
    };
    const Case cases[] = {
        {MessageButtons::Ok, "", QMessageBox::Ok, "Pelmark", MessageAnswer::Ok},
        {MessageButtons::YesNo, "Veltora - Datei", QMessageBox::Yes, "Veltora - Datei", MessageAnswer::Yes},
        {MessageButtons::YesNo, "", QMessageBox::No, "Pelmark", MessageAnswer::No},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expectedTitle.toStdString());
        QString title, text;
        auto answer = answering<QMessageBox>(
            [&](QMessageBox* box) {
                title = box->windowTitle();
                text = box->text();
                ASSERT_NE(box->button(c.press), nullptr);
                box->button(c.press)->click();
            },
            [&] { return QtPlatform().messageBox("Gr\374\337e", c.buttons, c.title); });
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(title, c.expectedTitle);
        EXPECT_EQ(text, QString::fromUtf8("Grüße"));
    }
}

TEST(QtPlatform, TheInputBoxProposesTheTextAndAnswersNothingWhenCancelled) {
    struct Case {
        const char* name;
        QString typed;
        bool accept;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"new text", "/usr/bin/gartrip", true, "/usr/bin/gartrip"},
        {"emptied", "", true, ""},
        {"cancelled", "/x", false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString proposed, title;
        auto answer = answering<QInputDialog>(
            [&](QInputDialog* dialog) {
                proposed = dialog->textValue();
                title = dialog->windowTitle();
                if (!c.typed.isNull()) dialog->setTextValue(c.typed);
                c.accept ? dialog->accept() : dialog->reject();
            },
            [] { return QtPlatform().inputBox("Pfad?", "GarTrip", "/opt/old"); });
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(proposed, "/opt/old");
        EXPECT_EQ(title, "GarTrip");
    }
}

// A file the reader cannot start on, missing and empty ones too, fails as "not a picture" does.
TEST(QtPlatform, PicturesAreDecodedAtTheSizeOfTheirBox) {
    TempDir dir;
    const std::string photo = fixtures::JpegExifWriter().withPicture().bytes(); // 8 x 8 pixels
    const std::string tiny = dir.write("tiny.jpg", photo);
    struct Case {
        const char* name;
        std::string path;
        int width, height;
        std::optional<QSize> expected;
    };
    const Case cases[] = {
        {"stretched to a larger box", tiny, 40, 30, QSize(40, 30)},
        {"a box without size still gets a pixel", tiny, 0, 0, QSize(1, 1)},
        {"not a picture", dir.write("text.jpg", "hello"), 40, 30, std::nullopt},
        {"cut short after the EXIF segment", dir.write("cut.jpg", photo.substr(0, photo.size() / 3)), 40, 30,
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto picture = loadPictureScaled(c.path, c.width, c.height);
        ASSERT_EQ(picture.has_value(), c.expected.has_value());
        if (!picture) continue;
        const QImage* image = pictureImage(*picture);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->size(), *c.expected);
        EXPECT_EQ(QSize(picture->width, picture->height), *c.expected);
    }

    // A box in twips is measured at the screen's resolution.
    auto at96 = loadPictureForBox(tiny, 5610, 4208, 96.0);
    auto at144 = loadPictureForBox(tiny, 5610, 4208, 144.0);
    ASSERT_TRUE(at96 && at144);
    EXPECT_EQ(QSize(at96->width, at96->height), QSize(374, 281));
    EXPECT_EQ(QSize(at144->width, at144->height), QSize(561, 421));
}

} // namespace
} // namespace pelmark::test
