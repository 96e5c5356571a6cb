#include "widget/ModelButtons.h"
#include "widget/WidgetSurface.h"
#include "widget/adapters/ButtonAdapter.h"

namespace pelmark {

namespace {

// An option button whose selection (0, 1) is the model's, which keeps the options of a frame exclusive.
class OptionButtonAdapter : public ButtonAdapter {
public:
    QObject* create(const Element& element, QWidget* parent, WidgetSurface& widgets) const override {
        auto* option = new ModelRadioButton(parent);
        // Qt's own rule would refuse to clear the selected option.
        option->setAutoExclusive(false);
        option->onUserClick(
            [&widgets, id = element.id] { widgets.forward(id, [&] { widgets.surface().userClick(id); }); });
        return option;
    }

    void show(const Element& element, Property property, QObject* widget,
              WidgetSurface& widgets) const override {
        if (property == Property::Value) static_cast<QRadioButton*>(widget)->setChecked(element.value != 0);
        ButtonAdapter::show(element, property, widget, widgets);
    }

    void read(QObject* widget, Element& shown) const override {
        shown.value = static_cast<QRadioButton*>(widget)->isChecked() ? 1 : 0;
        ButtonAdapter::read(widget, shown);
    }

    // A person selects an option by clicking it, and cannot clear one.
    bool choose(QObject* widget, int value) const override { return value == 1 && click(widget); }
};

} // namespace

const WidgetAdapter& optionButtonAdapter() {
    static const OptionButtonAdapter adapter;
    return adapter;
}

} // namespace pelmark
