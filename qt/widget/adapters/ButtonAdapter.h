#pragma once

#include "qtplatform/Latin1Text.h"
#include "widget/adapters/WidgetAdapter.h"

#include <QAbstractButton>

namespace pelmark {

// What push buttons, check boxes and option buttons share: a caption, and a click that only an
// enabled button takes from a person.
class ButtonAdapter : public WidgetAdapter {
public:
    void show(const Element& element, Property property, QObject* widget, WidgetSurface&) const override {
        if (property == Property::Text) static_cast<QAbstractButton*>(widget)->setText(toQt(element.text));
    }

    void read(QObject* widget, Element& shown) const override {
        shown.text = fromQt(static_cast<QAbstractButton*>(widget)->text());
    }

    bool click(QObject* widget) const override {
        auto* button = static_cast<QAbstractButton*>(widget);
        if (!button->isEnabled()) return false;
        button->click();
        return true;
    }
};

} // namespace pelmark
