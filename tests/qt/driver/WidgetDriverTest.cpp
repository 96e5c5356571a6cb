#include "console/WidgetDriver.h"

#include "console/ByteJson.h"
#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

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
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"start", [] {}},
        {"show the waypoint panel", [&] { widgets.click("ShowHide"); }},
        {"open a folder",
         [&] {
             Variant path(first);
             control.OpenFolder(path);
         }},
        {"type a photo number", [&] { widgets.set("ActPictNum", "2"); }},
        {"step with the arrows", [&] { widgets.set("UpDown1", 1); }},
        {"grey flash", [&] { widgets.set("Flash", 2); }},
        {"camera ahead", [&] { widgets.set("KameraVor", true); }},
        {"a list entry", [&] { widgets.set("ExposureProgram", "7 - Portrait Mode"); }},
        {"free text in the list field", [&] { widgets.set("ExposureProgram", "9"); }},
        {"a tab brought to the front by the program", [&] { control.surface().setSelected("Tab1", 3); }},
        {"a comment with CR LF", [&] { widgets.set("UserComment", "a\r\nb"); }},
        {"release GarTrip", [&] { widgets.click("Toolbar2/GarTrip Starten"); }},
        {"hint over the toolbar", [&] { widgets.mouseMove("Toolbar2"); }},
        {"single-photo mode", [&] { widgets.click("Toolbar1/Load"); }},
        {"forced size", [&] { widgets.resize(3000, 2000); }},
    };
    for (const auto& [name, act] : steps) {
        SCOPED_TRACE(name);
        act();
        expectWidgetsShowTheModel(control, widgets, *model);
    }
}

} // namespace
} // namespace pelmark::test
