#include "qtplatform/Latin1Text.h"
#include "widget/TabPages.h"
#include "widget/WidgetSurface.h"
#include "widget/adapters/WidgetAdapter.h"

#include <QTabBar>

namespace pelmark {

namespace {

// The tab strip: one page per caption, the elements on the pages placed from the strip's own corner.
class TabStripAdapter : public WidgetAdapter {
public:
    QObject* create(const Element& element, QWidget* parent, WidgetSurface& widgets) const override {
        auto* tabs = new TabPages(parent);
        // All five tabs stand in one row, as narrow as their captions allow.
        tabs->setUsesScrollButtons(false);
        tabs->tabBar()->setExpanding(true);
        for (const std::string& caption : element.items)
            tabs->addTab(new QWidget(), toQt(caption));
        const ElementId id = element.id;
        tabs->onLayout([&widgets, id] { widgets.placeContents(id); });
        QObject::connect(tabs, &QTabWidget::currentChanged, &widgets, [&widgets, id](int index) {
            widgets.forward(id, [&] { widgets.surface().setSelected(id, index); });
        });
        return tabs;
    }

    void show(const Element& element, Property property, QObject* widget, WidgetSurface&) const override {
        if (property != Property::Items && property != Property::Selected) return;
        auto* tabs = static_cast<TabPages*>(widget);
        const int count = std::min(tabs->count(), static_cast<int>(element.items.size()));
        for (int i = 0; i < count; ++i)
            tabs->setTabText(i, toQt(element.items[static_cast<std::size_t>(i)]));
        if (element.selected >= 0 && element.selected < tabs->count() &&
            tabs->currentIndex() != element.selected)
            tabs->setCurrentIndex(element.selected);
    }

    void read(QObject* widget, Element& shown) const override {
        auto* tabs = static_cast<TabPages*>(widget);
        shown.items.clear();
        for (int i = 0; i < tabs->count(); ++i)
            shown.items.push_back(fromQt(tabs->tabText(i)));
        shown.selected = tabs->currentIndex();
    }
};

} // namespace

const WidgetAdapter& tabStripAdapter() {
    static const TabStripAdapter adapter;
    return adapter;
}

} // namespace pelmark
