#include "qtplatform/Latin1Text.h"
#include "widget/adapters/WidgetAdapter.h"

#include <QGroupBox>

namespace pelmark {

namespace {

// A frame: a titled box that holds other elements.
class FrameAdapter : public WidgetAdapter {
public:
    QObject* create(const Element&, QWidget* parent, WidgetSurface&) const override {
        return new QGroupBox(parent);
    }

    void show(const Element& element, Property property, QObject* widget, WidgetSurface&) const override {
        if (property == Property::Text) static_cast<QGroupBox*>(widget)->setTitle(toQt(element.text));
    }

    void read(QObject* widget, Element& shown) const override {
        shown.text = fromQt(static_cast<QGroupBox*>(widget)->title());
    }
};

} // namespace

const WidgetAdapter& frameAdapter() {
    static const FrameAdapter adapter;
    return adapter;
}

} // namespace pelmark
