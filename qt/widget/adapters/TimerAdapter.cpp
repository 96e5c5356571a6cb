#include "widget/WidgetSurface.h"
#include "widget/adapters/WidgetAdapter.h"

#include <QCoreApplication>
#include <QTimer>
#include <QTimerEvent>

namespace pelmark {

namespace {

// A timer: a QTimer running while the model says it is enabled, its ticks the model's timer event.
class TimerAdapter : public WidgetAdapter {
public:
    QObject* create(const Element& element, QWidget*, WidgetSurface& widgets) const override {
        auto* timer = new QTimer(&widgets);
        QObject::connect(timer, &QTimer::timeout, &widgets, [&widgets, id = element.id] {
            widgets.forward(id, [&] { widgets.surface().timerFires(id); });
        });
        return timer;
    }

    void show(const Element& element, Property property, QObject* widget, WidgetSurface&) const override {
        if (property != Property::Timer) return;
        auto* timer = static_cast<QTimer*>(widget);
        timer->setInterval(element.interval);
        if (!element.timerEnabled) {
            timer->stop();
        } else if (!timer->isActive()) {
            timer->start();
        }
    }

    std::optional<Property> deferredAs(Property) const override { return std::nullopt; }

    void read(QObject* widget, Element& shown) const override {
        shown.timerEnabled = static_cast<QTimer*>(widget)->isActive();
    }

    // A timer that is not running cannot fire on its own.
    bool fire(QObject* widget) const override {
        auto* timer = static_cast<QTimer*>(widget);
        if (!timer->isActive()) return false;
        QTimerEvent tick(timer->timerId());
        QCoreApplication::sendEvent(timer, &tick);
        return true;
    }
};

} // namespace

const WidgetAdapter& timerAdapter() {
    static const TimerAdapter adapter;
    return adapter;
}

} // namespace pelmark
