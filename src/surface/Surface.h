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
#include <unordered_map>
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
// source of truth for what the surface shows; the widget surface mirrors it.
class Surface {
public:
    using Handler = std::function<void(const EventArgs&)>;
    using Observer = std::function<void(const std::string& name, Property)>;
    using ObserverId = std::size_t;

    explicit Surface(StopRequest& stop) : stop_(stop) {}
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    Element& add(Element element);
    bool has(std::string_view name) const;
    // Throws PelmarkError (InvalidArgument) for an unknown name.
    const Element& get(std::string_view name) const;
    const std::vector<std::string>& names() const { return order_; }

    // Shorthands for the values the logic reads most.
    const std::string& text(std::string_view name) const { return get(name).text; }
    int value(std::string_view name) const { return get(name).value; }

    // Program changes. Each returns early when the element already holds the value, and otherwise
    // stores it and then notifies, so observers and change handlers hear only of real changes.
    void setText(std::string_view name, std::string text);
    void setValue(std::string_view name, int value);
    void setMax(std::string_view name, int max);
    void setEnabled(std::string_view name, bool enabled);
    void setVisible(std::string_view name, bool visible);
    void setLeft(std::string_view name, int left);
    void setWidth(std::string_view name, int width);
    void setHeight(std::string_view name, int height);
    void setToolTip(std::string_view name, std::string toolTip);
    void setItems(std::string_view name, std::vector<std::string> items);
    void setSelected(std::string_view name, int index);
    void setPicture(std::string_view name, std::optional<Picture> picture);
    void setPanels(std::string_view name, std::vector<StatusPanel> panels);
    void setPanelText(std::string_view name, int panel, std::string text); // panel counts from 1
    void setButtonPressed(std::string_view toolbar, std::string_view key, bool pressed);
    void setTimerEnabled(std::string_view name, bool enabled);

    void on(std::string_view name, Event event, Handler handler);
    void raise(std::string_view name, Event event, const EventArgs& args = {});

    // The user's actions. Each is an operation started from outside: it withdraws a stop request
    // unless an operation is already running.
    void userSetText(std::string_view name, std::string text);
    void userSetValue(std::string_view name, int value);
    void userClick(std::string_view name);
    void userClickTool(std::string_view toolbar, std::string_view key);
    void userMouseMove(std::string_view name);
    void timerFires(std::string_view name);
    void userDrop(std::string_view name, std::optional<std::vector<std::string>> files);
    void hostResize(int width, int height);

    // An observer hears of every property change until it is removed.
    ObserverId addObserver(Observer observer);
    void removeObserver(ObserverId id);

    // The name of the control's own element (its size is the control's size).
    static constexpr const char* kControl = "Veltora";

private:
    Element& mutableElement(std::string_view name);
    void notify(const Element& element, Property property);
    // The one shape of every plain setter: store the value unless it is already there, then notify.
    template <typename T>
    void assign(std::string_view name, T Element::*member, T value, Property property) {
        Element& element = mutableElement(name);
        if (element.*member == value) return;
        element.*member = std::move(value);
        notify(element, property);
    }

    StopRequest& stop_;
    // Every load reads and writes dozens of elements by name: a hash lookup keeps that cheap. The
    // elements themselves stay in the order they were added (a deque keeps references stable), which
    // is also the order option buttons hear that a partner took the selection.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    std::deque<Element> elements_;
    std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> index_;
    std::vector<std::string> order_;
    // Per element (same index as `elements_`), per event. Each handler lives on its own, so that a
    // handler that adds handlers while it runs stays where it is.
    std::deque<std::array<std::vector<std::unique_ptr<Handler>>, kEventCount>> handlers_;
    std::map<ObserverId, Observer> observers_;
    ObserverId nextObserver_ = 0;
};

} // namespace pelmark
