#include "widget/ModelButtons.h"
#include "widget/WidgetSurface.h"
#include "widget/adapters/ButtonAdapter.h"

namespace pelmark {

namespace {

// A check box's value in the model (0 unticked, 1 ticked, 2 grey) and Qt's check state.
Qt::CheckState checkStateOf(int value) {
    return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

int checkValueOf(Qt::CheckState state) {
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

// A check box whose state (0 unticked, 1 ticked, 2 grey) is the model's: a click asks the model.
class CheckBoxAdapter : public ButtonAdapter {
public:
    QObject* create(const Element& element, QWidget* parent, WidgetSurface& widgets) const override {
        auto* box = new ModelCheckBox(parent);
        box->setTristate(true);
        const ElementId id = element.id;
        box->onUserClick([&widgets, id] { widgets.forward(id, [&] { widgets.surface().userClick(id); }); });
        // A state set on the box from outside a click (a script, an accessibility tool) is the user's too.
        QObject::connect(box, &QCheckBox::stateChanged, &widgets, [&widgets, id](int state) {
            widgets.forward(id, [&] {
                widgets.surface().userSetValue(id, checkValueOf(static_cast<Qt::CheckState>(state)));
            });
        });
        return box;
    }

    void show(const Element& element, Property property, QObject* widget,
              WidgetSurface& widgets) const override {
        if (property == Property::Value)
            static_cast<QCheckBox*>(widget)->setCheckState(checkStateOf(element.value));
        ButtonAdapter::show(element, property, widget, widgets);
    }

    std::optional<Property> deferredAs(Property property) const override {
        if (property == Property::Value) return property;
        return ButtonAdapter::deferredAs(property);
    }

    void read(QObject* widget, Element& shown) const override {
        shown.value = checkValueOf(static_cast<QCheckBox*>(widget)->checkState());
        ButtonAdapter::read(widget, shown);
    }

    bool choose(QObject* widget, int value) const override {
        static_cast<QCheckBox*>(widget)->setCheckState(checkStateOf(value));
        return true;
    }
};

} // namespace

const WidgetAdapter& checkBoxAdapter() {
    static const CheckBoxAdapter adapter;
    return adapter;
}

} // namespace pelmark
