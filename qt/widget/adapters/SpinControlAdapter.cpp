#include "widget/ArrowSpin.h"
#include "widget/WidgetSurface.h"
#include "widget/adapters/WidgetAdapter.h"

namespace pelmark {

namespace {

// The spin control: arrows that ask the model for the value one up or down; the model clamps it.
class SpinControlAdapter : public WidgetAdapter {
public:
    QObject* create(const Element& element, QWidget* parent, WidgetSurface& widgets) const override {
        auto* spin = new ArrowSpin(parent);
        spin->onStep([&widgets, id = element.id](int value) {
            widgets.forward(id, [&] { widgets.surface().userSetValue(id, value); });
        });
        return spin;
    }

    void show(const Element& element, Property property, QObject* widget, WidgetSurface&) const override {
        if (property != Property::Value && property != Property::Range) return;
        auto* spin = static_cast<ArrowSpin*>(widget);
        spin->setRange(element.min, element.max);
        spin->setValue(element.value);
    }

    void read(QObject* widget, Element& shown) const override {
        auto* spin = static_cast<ArrowSpin*>(widget);
        shown.value = spin->value();
        shown.min = spin->minimum();
        shown.max = spin->maximum();
    }

    bool choose(QObject* widget, int value) const override {
        static_cast<ArrowSpin*>(widget)->request(value);
        return true;
    }
};

} // namespace

const WidgetAdapter& spinControlAdapter() {
    static const SpinControlAdapter adapter;
    return adapter;
}

} // namespace pelmark
