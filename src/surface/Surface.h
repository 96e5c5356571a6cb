#pragma once

#include "base/StopRequest.h"
#include "surface/Element.h"

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmark {

// The events the logic listens to. `Change` fires for a changed text, spin value, check state or
// option selection, whether the user or the program made the change, and only when the value really
// changed.
enum class Event { Change, Click, ToolClick, MouseMove, Timer, Drop, Resize };
inline constexpr std::size_t kEventCount = 7;

struct EventArgs {
    std::string key;                               // the toolbar button's key, for ToolClick
    std::optional<std::vector<std::string>> files; // the dropped file list, for Drop; none = no file list
};

// The element model: every named element of the control as a value with change events. It is the one
// source of truth for what the surface shows; the widget surface mirrors it. Elements are reached by
// their `ElementId`, an index; a name given instead is looked up once, at the call.
class Surface {
public:
    using Handler = std::function<void(const EventArgs&)>;
    using Observer = std::function<void(const Element&, Property)>;
    using ObserverId = std::size_t;

    explicit Surface(StopRequest& stop) : stop_(stop) {}
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Adds the element of `element.id` (its name is filled in), or replaces it if it is there.
    Element& add(Element element);
    bool has(std::string_view name) const;
    // Throws PelmarkError (InvalidArgument) for an element not added.
    const Element& get(ElementRef element) const {
        const Element* found = byId_[indexOf(element.id())];
        if (found == nullptr) missing(element.id());
        return *found;
    }
    // The elements, and their names, in the order they were added.
    const std::deque<Element>& elements() const { return elements_; }
    const std::vector<std::string>& names() const { return order_; }

    // Shorthands for the values the logic reads most.
    const std::string& text(ElementRef element) const { return get(element).text; }
    int value(ElementRef element) const { return get(element).value; }

    // Program changes. Each returns early when the element already holds the value, and otherwise
    // stores it and then notifies, so observers and change handlers hear only of real changes.
    void setText(ElementRef element, std::string_view text);
    void setValue(ElementRef element, int value);
    void setMax(ElementRef element, int max);
    void setEnabled(ElementRef element, bool enabled);
    void setVisible(ElementRef element, bool visible);
    void setLeft(ElementRef element, int left);
    void setWidth(ElementRef element, int width);
    void setHeight(ElementRef element, int height);
    void setToolTip(ElementRef element, std::string toolTip);
    void setItems(ElementRef element, std::vector<std::string> items);
    void setSelected(ElementRef element, int index);
    void setPicture(ElementRef element, std::optional<Picture> picture);
    void setPanels(ElementRef element, std::vector<StatusPanel> panels);
    void setPanelText(ElementRef element, int panel, std::string_view text); // panel counts from 1
    void setButtonPressed(ElementRef toolbar, std::string_view key, bool pressed);
    void setTimerEnabled(ElementRef element, bool enabled);

    void on(ElementRef element, Event event, Handler handler);
    void raise(ElementRef element, Event event, const EventArgs& args = {});

    // The user's actions. Each is an operation started from outside: it withdraws a stop request
    // unless an operation is already running.
    void userSetText(ElementRef element, std::string_view text);
    void userSetValue(ElementRef element, int value);
    void userClick(ElementRef element);
    void userClickTool(ElementRef toolbar, std::string_view key);
    void userMouseMove(ElementRef element);
    void timerFires(ElementRef element);
    void userDrop(ElementRef element, std::optional<std::vector<std::string>> files);
    void hostResize(int width, int height);

    // An observer hears of every property change until it is removed.
    ObserverId addObserver(Observer observer);
    void removeObserver(ObserverId id);

private:
    [[noreturn]] static void missing(ElementId id);
    Element& mutableElement(ElementRef element) { return const_cast<Element&>(get(element)); }
    void notify(const Element& element, Property property);
    // The one shape of every plain setter: store the value unless it is already there, then notify.
    template <typename T>
    void assign(ElementRef ref, T Element::*member, T value, Property property) {
        Element& element = mutableElement(ref);
        if (element.*member == value) return;
        element.*member = std::move(value);
        notify(element, property);
    }

    StopRequest& stop_;
    // The elements stay in the order they were added (a deque keeps references stable), which is also
    // the order option buttons hear that a partner took the selection; `byId_` reaches each by its id.
    std::deque<Element> elements_;
    std::array<Element*, kElementCount> byId_{};
    std::vector<std::string> order_;
    // Per element id, per event. Each handler lives on its own, so that a handler that adds handlers
    // while it runs stays where it is.
    std::array<std::array<std::vector<std::unique_ptr<Handler>>, kEventCount>, kElementCount> handlers_;
    std::map<ObserverId, Observer> observers_;
    ObserverId nextObserver_ = 0;
};

} // namespace pelmark
