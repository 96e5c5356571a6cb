#include "platform/QtPlatform.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace pelmark::test {
namespace {

// Acts on the modal dialog as soon as it is up, as the user would.
void whenDialogOpens(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            ADD_FAILURE() << "no dialog came up";
            return;
        }
        act(dialog);
    });
}

TEST(QtDialogs, TheFileDialogShowsTheFilterAndPresetNameAndAnswersTheChoice) {
    TempDir dir;
    const std::string photo = dir.write("a.jpg", "x");
    struct Case {
        const char* name;
        bool accept;
        std::optional<std::string> expected;
    };
    const Case cases[] = {{"accepted", true, photo}, {"cancelled", false, std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QtPlatform platform;
        QStringList filters;
        QStringList preselected;
        whenDialogOpens([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            filters = dialog->nameFilters();
            preselected = dialog->selectedFiles();
            QDialog* asDialog = dialog; // accept() is the dialog's own, reached through QDialog
            c.accept ? asDialog->accept() : asDialog->reject();
        });
        auto chosen = platform.openFileDialog("JPEG|*.jpg;*.jpeg|Alle|*.*", photo);
        EXPECT_EQ(filters, QStringList({"JPEG (*.jpg *.jpeg)", "Alle (*.*)"}));
        EXPECT_EQ(preselected, QStringList({QString::fromStdString(photo)}));
        EXPECT_EQ(chosen, c.expected);
    }
}

TEST(QtDialogs, MessageBoxesCarryTheDefaultTitleAndAnswerTheButtonPressed) {
    struct Case {
        const char* name;
        MessageButtons buttons;
        std::string title;
        QMessageBox::StandardButton press;
        QString expectedTitle;
        MessageAnswer expected;
    };
    const Case cases[] = {
        {"ok with default title", MessageButtons::Ok, "", QMessageBox::Ok, "Pelmark", MessageAnswer::Ok},
        {"yes", MessageButtons::YesNo, "Veltora - Datei", QMessageBox::Yes, "Veltora - Datei",
         MessageAnswer::Yes},
        {"no", MessageButtons::YesNo, "", QMessageBox::No, "Pelmark", MessageAnswer::No},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QtPlatform platform;
        QString title, text;
        whenDialogOpens([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            ASSERT_NE(box->button(c.press), nullptr);
            box->button(c.press)->click();
        });
        EXPECT_EQ(platform.messageBox("Gr\xFC\xDF"
                                      "e",
                                      c.buttons, c.title),
                  c.expected);
        EXPECT_EQ(title, c.expectedTitle);
        EXPECT_EQ(text, QString::fromUtf8("Grüße"));
    }
}

TEST(QtDialogs, TheInputBoxProposesTheTextAndAnswersNothingWhenCancelled) {
    struct Case {
        const char* name;
        QString typed;
        bool accept;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"proposal taken", {}, true, "/opt/old"},
        {"new text", "/usr/bin/gartrip", true, "/usr/bin/gartrip"},
        {"emptied", "", true, ""},
        {"cancelled", "/x", false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QtPlatform platform;
        QString proposed, title;
        whenDialogOpens([&](QWidget* w) {
            auto* dialog = qobject_cast<QInputDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            proposed = dialog->textValue();
            title = dialog->windowTitle();
            if (!c.typed.isNull()) dialog->setTextValue(c.typed);
            c.accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(platform.inputBox("Pfad?", "GarTrip", "/opt/old"), c.expected);
        EXPECT_EQ(proposed, "/opt/old");
        EXPECT_EQ(title, "GarTrip");
    }
}

} // namespace
} // namespace pelmark::test
