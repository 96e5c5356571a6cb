#include "qtplatform/Latin1Text.h"
#include "widget/WidgetSurface.h"
#include "widget/adapters/WidgetAdapter.h"

#include <QLabel>
#include <QStatusBar>

namespace pelmark {

namespace {

constexpr const char* kTag = "tag";

// A status bar: one sunken label per panel of the model.
class StatusBarAdapter : public WidgetAdapter {
public:
    QObject* create(const Element&, QWidget* parent, WidgetSurface&) const override {
        auto* bar = new QStatusBar(parent);
        bar->setSizeGripEnabled(false);
        return bar;
    }

    void show(const Element& element, Property property, QObject* widget,
              WidgetSurface& widgets) const override {
        if (property != Property::Panels) return;
        auto* bar = static_cast<QStatusBar*>(widget);
        QList<QLabel*> panels = panelsOf(bar);
        if (panels.size() != static_cast<qsizetype>(element.panels.size())) {
            for (QLabel* label : panels) {
                bar->removeWidget(label);
                delete label;
            }
            panels.clear();
            for (std::size_t i = 0; i < element.panels.size(); ++i) {
                auto* label = new QLabel(bar);
                label->setTextFormat(Qt::PlainText);
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                label->setObjectName(toQt(element.name + "." + std::to_string(i + 1)));
                bar->addWidget(label);
                panels.push_back(label);
            }
        }
        for (std::size_t i = 0; i < element.panels.size(); ++i) {
            const StatusPanel& model = element.panels[i];
            QLabel* label = panels[static_cast<qsizetype>(i)];
            label->setText(toQt(model.text));
            label->setProperty(kTag, toQt(model.tag));
            label->setMinimumWidth(std::max(1, widgets.px(model.minWidth)));
        }
    }

    std::optional<Property> deferredAs(Property property) const override {
        if (property == Property::Panels) return property;
        return WidgetAdapter::deferredAs(property);
    }

    void read(QObject* widget, Element& shown) const override {
        const QList<QLabel*> panels = panelsOf(static_cast<QStatusBar*>(widget));
        for (std::size_t i = 0; i < shown.panels.size() && i < static_cast<std::size_t>(panels.size()); ++i) {
            shown.panels[i].text = fromQt(panels[static_cast<qsizetype>(i)]->text());
            shown.panels[i].tag = fromQt(panels[static_cast<qsizetype>(i)]->property(kTag).toString());
        }
    }

    // The panels are the bar's own labels, in the order they were added.
    static QList<QLabel*> panelsOf(QStatusBar* bar) {
        return bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    }
};

} // namespace

const WidgetAdapter& statusBarAdapter() {
    static const StatusBarAdapter adapter;
    return adapter;
}

} // namespace pelmark
