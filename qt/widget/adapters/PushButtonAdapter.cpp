#include "widget/WidgetSurface.h"
#include "widget/adapters/ButtonAdapter.h"

#include <QPushButton>

namespace pelmark {

namespace {

class PushButtonAdapter : public ButtonAdapter {
public:
    QObject* create(const Element& element, QWidget* parent, WidgetSurface& widgets) const override {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, &widgets, [&widgets, id = element.id] {
            widgets.forward(id, [&] { widgets.surface().userClick(id); });
        });
        return button;
    }
};

} // namespace

const WidgetAdapter& pushButtonAdapter() {
    static const PushButtonAdapter adapter;
    return adapter;
}

} // namespace pelmark
