#include "surface/Surface.h"

#include "base/Error.h"

#include <algorithm>

namespace pelmark {

namespace {

// A text field holds no character of code 0: what is written to it ends before the first one.
std::string beforeFirstNul(std::string text) {
    auto nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return text;
}

} // namespace

Element& Surface::add(Element element) {
    auto it = index_.find(element.name);
    if (it != index_.end()) return elements_[it->second] = std::move(element);
    index_.emplace(element.name, elements_.size());
    order_.push_back(element.name);
    handlers_.emplace_back();
    return elements_.emplace_back(std::move(element));
}

bool Surface::has(std::string_view name) const {
    return index_.find(name) != index_.end();
}

const Element& Surface::get(std::string_view name) const {
    auto it = index_.find(name);
    if (it == index_.end())
        throw PelmarkError(ErrorKind::InvalidArgument, "unknown element: " + std::string(name));
    return elements_[it->second];
}

Element& Surface::mutableElement(std::string_view name) {
    return const_cast<Element&>(get(name));
}

Surface::ObserverId Surface::addObserver(Observer observer) {
    observers_.emplace(nextObserver_, std::move(observer));
    return nextObserver_++;
}

void Surface::removeObserver(ObserverId id) {
    observers_.erase(id);
}

void Surface::notify(const Element& element, Property property) {
    // An observer may remove itself or another while it hears of a change.
    for (auto it = observers_.begin(); it != observers_.end();) {
        const ObserverId id = it->first;
        it->second(element.name, property);
        it = observers_.upper_bound(id);
    }
}

void Surface::setText(std::string_view name, std::string text) {
    Element& element = mutableElement(name);
    text = beforeFirstNul(std::move(text));
    if (element.text == text) return;
    element.text = std::move(text);
    if (element.kind == ElementKind::ComboBox) {
        auto it = std::find(element.items.begin(), element.items.end(), element.text);
        element.selected = it == element.items.end() ? -1 : static_cast<int>(it - element.items.begin());
        notify(element, Property::Selected);
    }
    notify(element, Property::Text);
    if (element.kind == ElementKind::TextField || element.kind == ElementKind::ComboBox)
        raise(name, Event::Change);
}

void Surface::setValue(std::string_view name, int value) {
    Element& element = mutableElement(name);
    switch (element.kind) {
    case ElementKind::SpinControl:
        // The spin control never leaves its range: a value outside it is clamped.
        value = std::clamp(value, element.min, std::max(element.min, element.max));
        break;
    case ElementKind::CheckBox:
        if (value < 0 || value > 2)
            throw PelmarkError(ErrorKind::InvalidArgument, "a check box takes 0, 1 or 2");
        break;
    case ElementKind::OptionButton:
        value = value != 0 ? 1 : 0;
        break;
    default:
        break;
    }
    if (element.value == value) return;
    element.value = value;
    if (element.kind == ElementKind::OptionButton && value == 1) {
        // Option buttons of one container exclude each other; the partners hear it in the frame's order.
        for (auto& other : elements_) {
            if (&other != &element && other.kind == ElementKind::OptionButton &&
                other.container == element.container && other.value != 0) {
                other.value = 0;
                notify(other, Property::Value);
                raise(other.name, Event::Change);
            }
        }
    }
    notify(element, Property::Value);
    raise(name, Event::Change);
}

void Surface::setMax(std::string_view name, int max) {
    assign(name, &Element::max, max, Property::Range);
}

void Surface::setEnabled(std::string_view name, bool enabled) {
    assign(name, &Element::enabled, enabled, Property::Enabled);
}

void Surface::setVisible(std::string_view name, bool visible) {
    assign(name, &Element::visible, visible, Property::Visible);
}

void Surface::setLeft(std::string_view name, int left) {
    assign(name, &Element::left, left, Property::Geometry);
}

void Surface::setWidth(std::string_view name, int width) {
    assign(name, &Element::width, width, Property::Geometry);
}

void Surface::setHeight(std::string_view name, int height) {
    assign(name, &Element::height, height, Property::Geometry);
}

void Surface::setToolTip(std::string_view name, std::string toolTip) {
    assign(name, &Element::toolTip, std::move(toolTip), Property::ToolTip);
}

void Surface::setItems(std::string_view name, std::vector<std::string> items) {
    Element& element = mutableElement(name);
    if (element.items == items) return;
    element.items = std::move(items);
    if (element.selected >= static_cast<int>(element.items.size())) element.selected = -1;
    notify(element, Property::Items);
}

void Surface::setSelected(std::string_view name, int index) {
    Element& element = mutableElement(name);
    if (index < -1 || index >= static_cast<int>(element.items.size()))
        throw PelmarkError(ErrorKind::InvalidArgument, "list index out of range: " + std::to_string(index));
    if (element.selected == index) return;
    element.selected = index;
    notify(element, Property::Selected);
    if (element.kind == ElementKind::ComboBox) {
        std::string text = index < 0 ? std::string() : element.items[static_cast<std::size_t>(index)];
        if (element.text != text) {
            element.text = std::move(text);
            notify(element, Property::Text);
        }
    }
}

void Surface::setPicture(std::string_view name, std::optional<Picture> picture) {
    assign(name, &Element::picture, std::move(picture), Property::Picture);
}

void Surface::setPanels(std::string_view name, std::vector<StatusPanel> panels) {
    assign(name, &Element::panels, std::move(panels), Property::Panels);
}

void Surface::setPanelText(std::string_view name, int panel, std::string text) {
    Element& element = mutableElement(name);
    if (panel < 1 || panel > static_cast<int>(element.panels.size()))
        throw PelmarkError(ErrorKind::InvalidArgument,
                           "no panel " + std::to_string(panel) + " in " + element.name);
    auto& target = element.panels[static_cast<std::size_t>(panel - 1)].text;
    text = beforeFirstNul(std::move(text));
    if (target == text) return;
    target = std::move(text);
    notify(element, Property::Panels);
}

void Surface::setButtonPressed(std::string_view toolbar, std::string_view key, bool pressed) {
    Element& element = mutableElement(toolbar);
    for (auto& button : element.buttons) {
        if (button.key != key) continue;
        if (button.pressed == pressed) return;
        button.pressed = pressed;
        notify(element, Property::Buttons);
        return;
    }
    throw PelmarkError(ErrorKind::InvalidArgument, "no button " + std::string(key) + " in " + element.name);
}

void Surface::setTimerEnabled(std::string_view name, bool enabled) {
    assign(name, &Element::timerEnabled, enabled, Property::Timer);
}

void Surface::on(std::string_view name, Event event, Handler handler) {
    get(name); // an unknown element is a wiring mistake
    handlers_[index_.find(name)->second][static_cast<std::size_t>(event)].push_back(
        std::make_unique<Handler>(std::move(handler)));
}

void Surface::raise(std::string_view name, Event event, const EventArgs& args) {
    auto it = index_.find(name);
    if (it == index_.end()) return;
    // A handler may add handlers; run the ones that were there when the event came.
    const auto& handlers = handlers_[it->second][static_cast<std::size_t>(event)];
    for (std::size_t k = 0, count = handlers.size(); k < count; ++k)
        (*handlers[k])(args);
}

void Surface::userSetText(std::string_view name, std::string text) {
    StopRequest::OutsideAction action(stop_);
    setText(name, std::move(text));
}

void Surface::userSetValue(std::string_view name, int value) {
    StopRequest::OutsideAction action(stop_);
    setValue(name, value);
}

void Surface::userClick(std::string_view name) {
    StopRequest::OutsideAction action(stop_);
    const Element& element = get(name);
    switch (element.kind) {
    case ElementKind::CheckBox:
        // Unchecked becomes checked; checked and grayed become unchecked.
        setValue(name, element.value == 0 ? 1 : 0);
        break;
    case ElementKind::OptionButton:
        setValue(name, 1);
        raise(name, Event::Click);
        break;
    default:
        raise(name, Event::Click);
        break;
    }
}

void Surface::userClickTool(std::string_view toolbar, std::string_view key) {
    StopRequest::OutsideAction action(stop_);
    const Element& element = get(toolbar);
    auto button = std::find_if(element.buttons.begin(), element.buttons.end(),
                               [&](const ToolButton& b) { return b.key == key; });
    if (button == element.buttons.end())
        throw PelmarkError(ErrorKind::InvalidArgument,
                           "no button " + std::string(key) + " in " + element.name);
    // A two-state button has switched by the time its toolbar hears of the click.
    if (button->twoState) setButtonPressed(toolbar, key, !button->pressed);
    raise(toolbar, Event::ToolClick, EventArgs{std::string(key), std::nullopt});
}

void Surface::userMouseMove(std::string_view name) {
    StopRequest::OutsideAction action(stop_);
    get(name);
    raise(name, Event::MouseMove);
}

void Surface::timerFires(std::string_view name) {
    StopRequest::OutsideAction action(stop_);
    get(name);
    raise(name, Event::Timer);
}

void Surface::userDrop(std::string_view name, std::optional<std::vector<std::string>> files) {
    StopRequest::OutsideAction action(stop_);
    get(name);
    raise(name, Event::Drop, EventArgs{{}, std::move(files)});
}

void Surface::hostResize(int width, int height) {
    StopRequest::OutsideAction action(stop_);
    Element& control = mutableElement(kControl);
    if (control.width == width && control.height == height) return;
    control.width = width;
    control.height = height;
    notify(control, Property::Geometry);
    raise(kControl, Event::Resize);
}

} // namespace pelmark
