#include "surface/Surface.h"

#include "base/Error.h"

#include <algorithm>

namespace pelmark {

namespace {

// A text field holds no character of code 0: what is written to it ends before the first one.
std::string_view beforeFirstNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

} // namespace

Element& Surface::add(Element element) {
    element.name = std::string(elementName(element.id));
    Element*& slot = byId_[indexOf(element.id)];
    if (slot != nullptr) return *slot = std::move(element);
    order_.push_back(element.name);
    slot = &elements_.emplace_back(std::move(element));
    return *slot;
}

bool Surface::has(std::string_view name) const {
    auto id = elementIdOf(name);
    return id && byId_[indexOf(*id)] != nullptr;
}

void Surface::missing(ElementId id) {
    throw PelmarkError(ErrorKind::InvalidArgument, "unknown element: " + std::string(elementName(id)));
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
        it->second(element, property);
        it = observers_.upper_bound(id);
    }
}

void Surface::setText(ElementRef ref, std::string_view text) {
    Element& element = mutableElement(ref);
    text = beforeFirstNul(text);
    if (element.text == text) return;
    // Assigned, not moved in: the field's buffer is used again, as a load writes every field anew.
    element.text.assign(text);
    if (element.kind == ElementKind::ComboBox) {
        auto it = std::find(element.items.begin(), element.items.end(), element.text);
        element.selected = it == element.items.end() ? -1 : static_cast<int>(it - element.items.begin());
        notify(element, Property::Selected);
    }
    notify(element, Property::Text);
    if (element.kind == ElementKind::TextField || element.kind == ElementKind::ComboBox)
        raise(ref, Event::Change);
}

void Surface::setValue(ElementRef ref, int value) {
    Element& element = mutableElement(ref);
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
                raise(other.id, Event::Change);
            }
        }
    }
    notify(element, Property::Value);
    raise(ref, Event::Change);
}

void Surface::setMax(ElementRef ref, int max) {
    assign(ref, &Element::max, max, Property::Range);
}

void Surface::setEnabled(ElementRef ref, bool enabled) {
    assign(ref, &Element::enabled, enabled, Property::Enabled);
}

void Surface::setVisible(ElementRef ref, bool visible) {
    assign(ref, &Element::visible, visible, Property::Visible);
}

void Surface::setLeft(ElementRef ref, int left) {
    assign(ref, &Element::left, left, Property::Geometry);
}

void Surface::setWidth(ElementRef ref, int width) {
    assign(ref, &Element::width, width, Property::Geometry);
}

void Surface::setHeight(ElementRef ref, int height) {
    assign(ref, &Element::height, height, Property::Geometry);
}

void Surface::setToolTip(ElementRef ref, std::string toolTip) {
    assign(ref, &Element::toolTip, std::move(toolTip), Property::ToolTip);
}

void Surface::setItems(ElementRef ref, std::vector<std::string> items) {
    Element& element = mutableElement(ref);
    if (element.items == items) return;
    element.items = std::move(items);
    if (element.selected >= static_cast<int>(element.items.size())) element.selected = -1;
    notify(element, Property::Items);
}

void Surface::setSelected(ElementRef ref, int index) {
    Element& element = mutableElement(ref);
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

void Surface::setPicture(ElementRef ref, std::optional<Picture> picture) {
    assign(ref, &Element::picture, std::move(picture), Property::Picture);
}

void Surface::setPanels(ElementRef ref, std::vector<StatusPanel> panels) {
    assign(ref, &Element::panels, std::move(panels), Property::Panels);
}

void Surface::setPanelText(ElementRef ref, int panel, std::string_view text) {
    Element& element = mutableElement(ref);
    if (panel < 1 || panel > static_cast<int>(element.panels.size()))
        throw PelmarkError(ErrorKind::InvalidArgument,
                           "no panel " + std::to_string(panel) + " in " + element.name);
    auto& target = element.panels[static_cast<std::size_t>(panel - 1)].text;
    text = beforeFirstNul(text);
    if (target == text) return;
    target.assign(text);
    notify(element, Property::Panels);
}

void Surface::setButtonPressed(ElementRef toolbar, std::string_view key, bool pressed) {
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

void Surface::setTimerEnabled(ElementRef ref, bool enabled) {
    assign(ref, &Element::timerEnabled, enabled, Property::Timer);
}

void Surface::on(ElementRef ref, Event event, Handler handler) {
    get(ref); // an element not added is a wiring mistake
    handlers_[indexOf(ref.id())][static_cast<std::size_t>(event)].push_back(
        std::make_unique<Handler>(std::move(handler)));
}

void Surface::raise(ElementRef ref, Event event, const EventArgs& args) {
    // A handler may add handlers; run the ones that were there when the event came.
    const auto& handlers = handlers_[indexOf(ref.id())][static_cast<std::size_t>(event)];
    for (std::size_t k = 0, count = handlers.size(); k < count; ++k)
        (*handlers[k])(args);
}

void Surface::userSetText(ElementRef ref, std::string_view text) {
    StopRequest::OutsideAction action(stop_);
    setText(ref, text);
}

void Surface::userSetValue(ElementRef ref, int value) {
    StopRequest::OutsideAction action(stop_);
    // The user steps a spin through the photos 1 to its maximum: below 1 there is no photo, only the
    // file dialog, which a step must not open. The range keeps 0 for code (a typed 0 goes through it).
    const Element& element = get(ref);
    if (element.kind == ElementKind::SpinControl && element.max >= 1) value = std::max(value, 1);
    setValue(ref, value);
}

void Surface::userClick(ElementRef ref) {
    StopRequest::OutsideAction action(stop_);
    const Element& element = get(ref);
    switch (element.kind) {
    case ElementKind::CheckBox:
        // Unchecked becomes checked; checked and grayed become unchecked.
        setValue(ref, element.value == 0 ? 1 : 0);
        break;
    case ElementKind::OptionButton:
        setValue(ref, 1);
        raise(ref, Event::Click);
        break;
    default:
        raise(ref, Event::Click);
        break;
    }
}

void Surface::userClickTool(ElementRef toolbar, std::string_view key) {
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

void Surface::userMouseMove(ElementRef ref) {
    StopRequest::OutsideAction action(stop_);
    get(ref);
    raise(ref, Event::MouseMove);
}

void Surface::timerFires(ElementRef ref) {
    StopRequest::OutsideAction action(stop_);
    get(ref);
    raise(ref, Event::Timer);
}

void Surface::userDrop(ElementRef ref, std::optional<std::vector<std::string>> files) {
    StopRequest::OutsideAction action(stop_);
    get(ref);
    raise(ref, Event::Drop, EventArgs{{}, std::move(files)});
}

void Surface::hostResize(int width, int height) {
    StopRequest::OutsideAction action(stop_);
    Element& control = mutableElement(ElementId::Veltora);
    if (control.width == width && control.height == height) return;
    control.width = width;
    control.height = height;
    notify(control, Property::Geometry);
    raise(ElementId::Veltora, Event::Resize);
}

} // namespace pelmark
