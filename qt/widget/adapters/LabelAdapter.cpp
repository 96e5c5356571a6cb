#include "qtplatform/Latin1Text.h"
#include "widget/adapters/WidgetAdapter.h"

#include <QLabel>

namespace pelmark {

namespace {

// The whole caption, for whoever reads it back: a caption that frames a field shows in two halves
// (widget/CaptionFit.h).
constexpr const char* kCaption = "caption";

// A label: plain text, never rich text, as the model's captions are.
class LabelAdapter : public WidgetAdapter {
public:
    QObject* create(const Element&, QWidget* parent, WidgetSurface&) const override {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }

    void show(const Element& element, Property property, QObject* widget, WidgetSurface&) const override {
        if (property != Property::Text) return;
        auto* label = static_cast<QLabel*>(widget);
        const QString text = toQt(element.text);
        label->setProperty(kCaption, text);
        label->setText(text);
    }

    void read(QObject* widget, Element& shown) const override {
        shown.text = fromQt(widget->property(kCaption).toString());
    }
};

} // namespace

const WidgetAdapter& labelAdapter() {
    static const LabelAdapter adapter;
    return adapter;
}

} // namespace pelmark
