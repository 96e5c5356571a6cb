#pragma once

#include "base/Error.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace pelmark {

class VeltoraControl;

namespace console {

// What a driver throws for a request that no user could make: a value of the wrong kind, an action the
// element does not take. The console counts such a line as not understood, unlike a failure of the
// control's own handlers.
class DriverRefusal : public PelmarkError {
public:
    explicit DriverRefusal(const std::string& text) : PelmarkError(ErrorKind::InvalidArgument, text) {}
};

// The user's side of the console: what a person does to the control's surface, by element name. The
// headless driver acts on the element model; the widget driver acts on real widgets, so that a script
// shows the same answers either way. Strings inside the JSON values are byte strings (one byte per
// character, U+0000..U+00FF). Unknown elements or properties throw DriverRefusal.
class SurfaceDriver {
public:
    virtual ~SurfaceDriver() = default;

    // The user changes NAME: the text of a text field or of `ExposureProgram` (a string), the value of
    // `UpDown1` (a number), 0/1/2 of a check box, `true` selects an option button.
    virtual void set(const std::string& name, const nlohmann::ordered_json& value) = 0;

    // Reads a property of NAME; `property` is one of "value", "caption", "text", "enabled", "visible",
    // "left", "top", "width", "height", "tooltip", "tag", "max", "items", "selected", "picture",
    // "pressed". NAME may also be a status-bar panel ("StatusBar1.1") or a toolbar button
    // ("Toolbar2/GarTrip Starten").
    virtual nlohmann::ordered_json get(const std::string& name, const std::string& property) = 0;

    virtual void click(const std::string& name) = 0;
    virtual void clickTool(const std::string& toolbar, const std::string& key) = 0;
    virtual void mouseMove(const std::string& name) = 0;
    virtual void timer(const std::string& name) = 0;
    // Files dropped onto `Bild`; nothing = data that carries no file list.
    virtual void drop(std::optional<std::vector<std::string>> files) = 0;
    // The host sets the control's size, in twips.
    virtual void resize(int width, int height) = 0;
};

// Acts on the element model directly.
std::unique_ptr<SurfaceDriver> makeHeadlessDriver(VeltoraControl& control);

// Acts on a real widget surface bound to the control (Qt's offscreen platform where there is no
// display). Defined by apps/console/WidgetDriver.cpp, which `pelmark` leaves to its widgets module;
// the console needs a QApplication alive first.
std::unique_ptr<SurfaceDriver> makeWidgetDriver(VeltoraControl& control);

} // namespace console
} // namespace pelmark
