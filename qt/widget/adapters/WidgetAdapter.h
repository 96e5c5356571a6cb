#pragma once

#include "surface/Element.h"

#include <optional>
#include <string>
#include <vector>

class QObject;
class QWidget;

namespace pelmark {

class WidgetSurface;

// What one kind of element is in Qt: how its widget is made, how it shows the model's values, how
// what it shows reads back in the model's terms, and how a person's action on it is made. The window's
// widget surface shows the model through it; the console's widget driver acts and reads through it.
// An adapter keeps no state: everything lives in the widget and the model. The widget of a timer is a
// QTimer, hence QObject.
class WidgetAdapter {
public:
    virtual ~WidgetAdapter() = default;

    // The element's widget in `parent`; what the user does to it goes into the model through `widgets`.
    virtual QObject* create(const Element& element, QWidget* parent, WidgetSurface& widgets) const = 0;

    // Shows a property that is this kind's own. Enabled, visible, place, tool tip and tag are every
    // widget's and shown by the surface.
    virtual void show(const Element& element, Property property, QObject* widget,
                      WidgetSurface& widgets) const;

    // What a change of `property` waits as for the surface's deferred pass, if it waits: the properties a
    // photo load writes several times over, each write laying the widget out again.
    virtual std::optional<Property> deferredAs(Property property) const;

    // Writes what the widget shows of this kind's own properties into `shown`, in the model's terms.
    virtual void read(QObject* widget, Element& shown) const;

    // A person's actions, made on the widget as a person makes them, so the widget raises its own
    // events. Each answers false when no person could make it on this widget as it is: the caller then
    // hands it to the model.
    virtual bool type(QObject* widget, const Element& element, const std::string& text) const;
    virtual bool choose(QObject* widget, int value) const;
    virtual bool click(QObject* widget) const;
    virtual bool clickTool(QObject* widget, const std::string& key) const;
    virtual bool moveMouse(QObject* widget) const;
    virtual bool fire(QObject* widget) const;
    virtual bool drop(QObject* widget, const std::optional<std::vector<std::string>>& files) const;
};

// The adapter of a kind; null for the kinds without a widget (the control itself, dialogs, image lists).
const WidgetAdapter* adapterFor(ElementKind kind);

// One per kind, each in a file of its own.
const WidgetAdapter& frameAdapter();
const WidgetAdapter& labelAdapter();
const WidgetAdapter& textFieldAdapter();
const WidgetAdapter& pushButtonAdapter();
const WidgetAdapter& checkBoxAdapter();
const WidgetAdapter& optionButtonAdapter();
const WidgetAdapter& comboBoxAdapter();
const WidgetAdapter& pictureBoxAdapter();
const WidgetAdapter& tabStripAdapter();
const WidgetAdapter& toolbarAdapter();
const WidgetAdapter& statusBarAdapter();
const WidgetAdapter& spinControlAdapter();
const WidgetAdapter& timerAdapter();

} // namespace pelmark
