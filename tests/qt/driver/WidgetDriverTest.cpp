#include "console/WidgetDriver.h"

#include "console/ByteJson.h"
#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "widget/ArrowSpin.h"
#include "widget/PictureBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <functional>
#include <gtest/gtest.h>

namespace pelmark::test {
namespace {

using console::Json;

const char* const kProperties[] = {"value",  "caption", "enabled", "visible", "left",  "top",      "width",
                                   "height", "tooltip", "tag",     "max",     "items", "selected", "picture"};

// What a driver answers for one property: its value, or the text of its error.
std::pair<Json, std::string> answer(console::SurfaceDriver& driver, const std::string& name,
                                    const char* property) {
    try {
        return {driver.get(name, property), ""};
    } catch (const std::exception& e) {
        return {Json(), e.what()};
    }
}

// Every element, panel and toolbar button and every property, read from the widgets and from the model
// of one control: the widgets must show exactly what the model holds.
void expectWidgetsShowTheModel(VeltoraControl& control, console::SurfaceDriver& widgets,
                               console::SurfaceDriver& model) {
    std::vector<std::string> names = control.surface().names();
    for (const char* extra :
         {"StatusBar1.1", "StatusBar1.4", "StatusBar2.1", "Toolbar1/Load", "Toolbar1/Open Folder",
          "Toolbar2/Load", "Toolbar2/GarTrip Starten", "Toolbar2/Options"})
        names.emplace_back(extra);
    for (const std::string& name : names) {
        for (const char* property : kProperties)
            EXPECT_EQ(answer(widgets, name, property), answer(model, name, property))
                << name << " " << property;
    }
}

TEST(WidgetDriver, TheWidgetsShowWhatTheModelHoldsAfterEachUserAction) {
    TempDir dir;
    const std::string photo = fixtures::JpegExifWriter().withPicture().bytes();
    std::string first = dir.write("trip/a.jpg", photo);
    dir.write("trip/b.jpg", photo);

    ScriptedPlatform platform;
    VeltoraControl control(platform);
    console::WidgetDriver widgets(control);
    auto model = console::makeHeadlessDriver(control);
    // clang-format off
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"start", [] {}},
        {"show the waypoint panel", [&] { widgets.click("ShowHide"); }},
        {"open a folder",           [&] { Variant path(first); control.OpenFolder(path); }},
        {"type a photo number",     [&] { widgets.set("ActPictNum", "2"); }},
        {"step with the arrows",    [&] { widgets.set("UpDown1", 1); }},
        {"grey flash",              [&] { widgets.set("Flash", 2); }},
        {"camera ahead",            [&] { widgets.set("KameraVor", true); }},
        {"a list entry",            [&] { widgets.set("ExposureProgram", "7 - Portrait Mode"); }},
        {"free text in the list field", [&] { widgets.set("ExposureProgram", "9"); }},
        {"a tab brought to the front by the program", [&] { control.surface().setSelected("Tab1", 3); }},
        {"a comment with CR LF",    [&] { widgets.set("UserComment", "a\r\nb"); }},
        {"release GarTrip",         [&] { widgets.click("Toolbar2/GarTrip Starten"); }},
        {"hint over the toolbar",   [&] { widgets.mouseMove("Toolbar2"); }},
        {"single-photo mode",       [&] { widgets.click("Toolbar1/Load"); }},
        {"forced size",             [&] { widgets.resize(3000, 2000); }},
    };
    // clang-format on
    for (const auto& [name, act] : steps) {
        SCOPED_TRACE(name);
        act();
        expectWidgetsShowTheModel(control, widgets, *model);
    }
}

// The answers come from the widgets themselves: a widget changed behind the model's back (its signals
// blocked) is read as it shows it, in the model's terms.
TEST(WidgetDriver, AnswersWhatTheWidgetsShow) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    console::WidgetDriver widgets(control);
    auto find = [](const char* name) -> QObject* {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (QObject* found = top->findChild<QObject*>(QString::fromLatin1(name))) return found;
        return nullptr;
    };
    struct Case {
        const char *name, *property;
        std::function<void(QObject*)> change;
        Json expected;
    };
    // clang-format off
    const Case cases[] = {
        {"EXFrame",     "caption", [](QObject* w) { qobject_cast<QGroupBox*>(w)->setTitle("t"); }, "t"},
        {"ShowHide",    "caption", [](QObject* w) { qobject_cast<QPushButton*>(w)->setText("s"); }, "s"},
        {"GPSLat",      "value",   [](QObject* w) { qobject_cast<QLineEdit*>(w)->setText(QString::fromLatin1("48\xb0")); }, "48\xb0"},
        {"UserComment", "value",   [](QObject* w) { qobject_cast<QPlainTextEdit*>(w)->setPlainText("a\nb"); }, "a\nb"},
        {"Flash",       "value",   [](QObject* w) { qobject_cast<QCheckBox*>(w)->setCheckState(Qt::PartiallyChecked); }, 2},
        {"KameraVor",   "value",   [](QObject* w) { qobject_cast<QRadioButton*>(w)->setChecked(true); }, true},
        {"ExposureProgram", "selected", [](QObject* w) { qobject_cast<QComboBox*>(w)->setCurrentIndex(2); }, 2},
        {"Tab1",        "value",   [](QObject* w) { qobject_cast<QTabWidget*>(w)->setCurrentIndex(3); }, 3},
        {"UpDown1",     "max",     [](QObject* w) { qobject_cast<ArrowSpin*>(w)->setRange(0, 9); }, 9},
        {"Bild",        "picture", [](QObject* w) { qobject_cast<PictureBox*>(w)->setPicture(true, QImage()); }, true},
        {"StatusBar1.2", "value",  [](QObject* w) { qobject_cast<QLabel*>(w)->setText("p"); }, "p"},
        {"Toolbar2/GarTrip Starten", "pressed", [](QObject* w) { qobject_cast<QAction*>(w)->setChecked(false); }, false},
        {"KameraShift", "enabled", [](QObject* w) { qobject_cast<QWidget*>(w)->setEnabled(false); }, false},
        {"DatumZeit",   "tooltip", [](QObject* w) { qobject_cast<QWidget*>(w)->setToolTip("h"); }, "h"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A toolbar button's action is named by its key.
        const std::string widget =
            c.name == std::string("Toolbar2/GarTrip Starten") ? "GarTrip Starten" : c.name;
        // An unshown control makes a widget when it is first read.
        EXPECT_EQ(widgets.get(c.name, c.property),
                  answer(*console::makeHeadlessDriver(control), c.name, c.property).first);
        QObject* w = find(widget.c_str());
        ASSERT_NE(w, nullptr);
        const QSignalBlocker blocker(w);
        c.change(w);
        EXPECT_NE(answer(*console::makeHeadlessDriver(control), c.name, c.property).first, c.expected);
        EXPECT_EQ(widgets.get(c.name, c.property), c.expected);
    }
}

} // namespace
} // namespace pelmark::test
