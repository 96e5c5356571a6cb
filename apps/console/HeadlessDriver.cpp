#include "console/HeadlessDriver.h"

#include "base/Error.h"
#include "console/ByteJson.h"
#include "console/ElementAddress.h"
#include "control/VeltoraControl.h"
#include "surface/Surface.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pelmark::console {

namespace {

[[noreturn]] void refuse(const std::string& text) {
    throw DriverRefusal(text);
}

ElementAddress addressOf(const Surface& surface, const std::string& name) {
    auto address = resolveAddress(surface, name);
    if (!address) refuse("unknown element: " + name);
    return *address;
}

int wholeNumberOf(const Json& value, const std::string& name) {
    if (!value.is_number()) refuse(name + " takes a number");
    double number = value.get<double>();
    if (number != std::floor(number) || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max())
        refuse(name + " takes a whole number");
    return static_cast<int>(number);
}

// What a text field shows when a host assigns a number to it.
std::string textOfJson(const Json& value, const std::string& name) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_number()) return writeByteJson(value);
    refuse(name + " takes a text");
}

Json itemsOf(const std::vector<std::string>& items) {
    Json list = Json::array();
    for (const auto& item : items)
        list.push_back(item);
    return list;
}

Json panelProperty(const Element& bar, int panel, const std::string& property) {
    const StatusPanel& p = bar.panels[static_cast<std::size_t>(panel - 1)];
    if (property == "value" || property == "text" || property == "caption") return p.text;
    if (property == "tag") return p.tag;
    if (property == "enabled") return bar.enabled;
    if (property == "visible") return bar.visible;
    refuse("a status-bar panel has no property " + property);
}

Json buttonProperty(const Element& toolbar, const std::string& key, const std::string& property) {
    auto button = std::find_if(toolbar.buttons.begin(), toolbar.buttons.end(),
                               [&](const ToolButton& b) { return b.key == key; });
    if (property == "value" || property == "pressed") return button->pressed;
    if (property == "caption" || property == "text") return button->description;
    if (property == "tooltip") return button->toolTip;
    if (property == "tag") return button->key;
    if (property == "enabled") return toolbar.enabled;
    if (property == "visible") return toolbar.visible;
    refuse("a toolbar button has no property " + property);
}

// The value an element shows by default: its number, state or selection where it has one, else its
// text.
Json defaultValue(const Element& e) {
    switch (e.kind) {
    case ElementKind::SpinControl:
    case ElementKind::CheckBox:
        return e.value;
    case ElementKind::OptionButton:
        return e.value != 0;
    case ElementKind::TabStrip:
        return e.selected;
    case ElementKind::PictureBox:
        return e.picture.has_value();
    case ElementKind::Timer:
        return e.timerEnabled;
    case ElementKind::StatusBar: {
        Json texts = Json::array();
        for (const auto& panel : e.panels)
            texts.push_back(panel.text);
        return texts;
    }
    case ElementKind::Toolbar: {
        Json keys = Json::array();
        for (const auto& button : e.buttons)
            keys.push_back(button.key);
        return keys;
    }
    default:
        return e.text;
    }
}

Json elementProperty(const Element& e, const std::string& property) {
    if (property == "value") return defaultValue(e);
    if (property == "caption" || property == "text") return e.text;
    if (property == "enabled") return e.enabled;
    if (property == "visible") return e.visible;
    if (property == "left") return e.left;
    if (property == "top") return e.top;
    if (property == "width") return e.width;
    if (property == "height") return e.height;
    if (property == "tooltip") return e.toolTip;
    if (property == "tag") return e.tag;
    if (property == "max") return e.max;
    if (property == "items") return itemsOf(e.items);
    if (property == "selected") return e.selected;
    if (property == "picture") return e.picture.has_value();
    if (property == "pressed") refuse(e.name + " is no toolbar button");
    refuse("unknown property: " + property);
}

} // namespace

UserEdit userEditOf(const Element& e, const Json& value, const std::string& name) {
    switch (e.kind) {
    case ElementKind::TextField:
    case ElementKind::ComboBox:
        return {true, textOfJson(value, name), 0};
    case ElementKind::SpinControl:
        return {false, {}, wholeNumberOf(value, name)};
    case ElementKind::CheckBox: {
        int state = wholeNumberOf(value, name);
        if (state < 0 || state > 2) refuse(name + " takes 0, 1 or 2");
        return {false, {}, state};
    }
    case ElementKind::OptionButton:
        if (!value.is_boolean()) refuse(name + " takes true or false");
        return {false, {}, value.get<bool>() ? 1 : 0};
    default:
        refuse(name + " cannot be changed by the user");
    }
}

void applyEdit(Surface& surface, const Element& e, const UserEdit& edit) {
    if (edit.typed) surface.userSetText(e.id, edit.text);
    // Selecting an option button is the click that selects it.
    else if (e.kind == ElementKind::OptionButton && edit.value == 1)
        surface.userClick(e.id);
    else
        surface.userSetValue(e.id, edit.value);
}

Json propertyOf(const Element& e, const ElementAddress& address, const std::string& property) {
    switch (address.kind) {
    case ElementAddress::Kind::Panel:
        return panelProperty(e, address.panel, property);
    case ElementAddress::Kind::Button:
        return buttonProperty(e, address.key, property);
    case ElementAddress::Kind::Element:
        break;
    }
    return elementProperty(e, property);
}

void HeadlessDriver::set(const std::string& name, const Json& value) {
    ElementAddress address = addressOf(surface_, name);
    if (address.kind != ElementAddress::Kind::Element) refuse(name + " cannot be changed by the user");
    const Element& e = surface_.get(address.element);
    applyEdit(surface_, e, userEditOf(e, value, name));
}

Json HeadlessDriver::get(const std::string& name, const std::string& property) {
    ElementAddress address = addressOf(surface_, name);
    return propertyOf(surface_.get(address.element), address, property);
}

void HeadlessDriver::click(const std::string& name) {
    ElementAddress address = addressOf(surface_, name);
    switch (address.kind) {
    case ElementAddress::Kind::Button:
        surface_.userClickTool(address.element, address.key);
        return;
    case ElementAddress::Kind::Panel:
        refuse(name + " cannot be clicked");
    case ElementAddress::Kind::Element:
        surface_.userClick(address.element);
        return;
    }
}

void HeadlessDriver::clickTool(const std::string& toolbar, const std::string& key) {
    surface_.userClickTool(toolbar, key);
}

void HeadlessDriver::mouseMove(const std::string& name) {
    surface_.userMouseMove(addressOf(surface_, name).element);
}

void HeadlessDriver::timer(const std::string& name) {
    ElementAddress address = addressOf(surface_, name);
    if (address.kind != ElementAddress::Kind::Element ||
        surface_.get(address.element).kind != ElementKind::Timer)
        refuse(name + " is no timer");
    surface_.timerFires(address.element);
}

void HeadlessDriver::drop(std::optional<std::vector<std::string>> files) {
    surface_.userDrop(ElementId::Bild, std::move(files));
}

void HeadlessDriver::resize(int width, int height) {
    surface_.hostResize(width, height);
}

std::unique_ptr<SurfaceDriver> makeHeadlessDriver(VeltoraControl& control) {
    return std::make_unique<HeadlessDriver>(control.surface());
}

} // namespace pelmark::console
