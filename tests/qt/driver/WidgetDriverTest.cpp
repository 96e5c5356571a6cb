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

// Every element and every property, read from the widgets and from the model of one control: the
// widgets must show exactly what the model holds.
void expectWidgetsShowTheModel(VeltoraControl& control, console::SurfaceDriver& widgets,
                               console::SurfaceDriver& model) {
    std::vector<std::string> names = control.surface().names();
    for (const char* panel :
         {"StatusBar1.1", "StatusBar1.4", "StatusBar2.1", "Toolbar2/GarTrip Starten", "Toolbar1/Open Folder"})
        names.emplace_back(panel);
    for (const std::string& name : names) {
        for (const char* property : kProperties) {
            Json expected, actual;
            std::string expectedError, actualError;
            try {
                expected = model.get(name, property);
            } catch (const std::exception& e) {
                expectedError = e.what();
            }
            try {
                actual = widgets.get(name, property);
            } catch (const std::exception& e) {
                actualError = e.what();
            }
            EXPECT_EQ(actualError, expectedError) << name << " " << property;
            EXPECT_EQ(actual, expected) << name << " " << property;
        }
    }
}

TEST(WidgetDriver, TheWidgetsShowWhatTheModelHoldsAfterEachUserAction) {
    TempDir dir;
    fixtures::JpegExifWriter photo;
    photo.withPicture();
    std::string first = dir.write("trip/a.jpg", photo.bytes());
    dir.write("trip/b.jpg", photo.bytes());

    struct Step {
        const char* name;
        std::function<void(console::SurfaceDriver&, VeltoraControl&)> act;
    };
    const Step steps[] = {
        {"start", [](console::SurfaceDriver&, VeltoraControl&) {}},
        {"show the waypoint panel", [](console::SurfaceDriver& d, VeltoraControl&) { d.click("ShowHide"); }},
        {"open a folder",
         [&](console::SurfaceDriver&, VeltoraControl& c) {
             Variant path(first);
             c.OpenFolder(path);
         }},
        {"type a photo number", [](console::SurfaceDriver& d, VeltoraControl&) { d.set("ActPictNum", "2"); }},
        {"step with the arrows", [](console::SurfaceDriver& d, VeltoraControl&) { d.set("UpDown1", 1); }},
        {"grey flash", [](console::SurfaceDriver& d, VeltoraControl&) { d.set("Flash", 2); }},
        {"camera ahead", [](console::SurfaceDriver& d, VeltoraControl&) { d.set("KameraVor", true); }},
        {"a list entry",
         [](console::SurfaceDriver& d, VeltoraControl&) { d.set("ExposureProgram", "7 - Portrait Mode"); }},
        {"a comment with CR LF",
         [](console::SurfaceDriver& d, VeltoraControl&) { d.set("UserComment", "a\r\nb"); }},
        {"release GarTrip",
         [](console::SurfaceDriver& d, VeltoraControl&) { d.click("Toolbar2/GarTrip Starten"); }},
        {"hint over the toolbar",
         [](console::SurfaceDriver& d, VeltoraControl&) { d.mouseMove("Toolbar2"); }},
        {"single-photo mode", [](console::SurfaceDriver& d, VeltoraControl&) { d.click("Toolbar1/Load"); }},
        {"forced size", [](console::SurfaceDriver& d, VeltoraControl&) { d.resize(3000, 2000); }},
    };

    ScriptedPlatform platform;
    VeltoraControl control(platform);
    console::WidgetDriver widgets(control);
    auto model = console::makeHeadlessDriver(control);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.act(widgets, control);
        expectWidgetsShowTheModel(control, widgets, *model);
    }
}

} // namespace
} // namespace pelmark::test
