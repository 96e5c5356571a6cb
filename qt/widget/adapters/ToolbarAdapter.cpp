#include "qtplatform/Latin1Text.h"
#include "widget/ToolbarIcons.h"
#include "widget/WidgetSurface.h"
#include "widget/adapters/WidgetAdapter.h"

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QToolBar>

namespace pelmark {

namespace {

// The key of the button an action stands for.
constexpr const char* kKey = "key";

// A toolbar: one action per button of the model, with its picture, hints and pressed state.
class ToolbarAdapter : public WidgetAdapter {
public:
    QObject* create(const Element& element, QWidget* parent, WidgetSurface& widgets) const override {
        auto* toolbar = new QToolBar(parent);
        toolbar->setMovable(false);
        toolbar->setFloatable(false);
        toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        toolbar->setIconSize(QSize(16, 16));
        // The layout leaves room for the buttons' pictures and little else.
        toolbar->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; border: none; }"
                                              "QToolButton { padding: 1px; margin: 0px; }"));
        toolbar->setContentsMargins(0, 0, 0, 0);
        // The surface hears the moves over the toolbar (the hint over `Toolbar2` follows them).
        toolbar->setMouseTracking(true);
        toolbar->installEventFilter(&widgets);
        show(element, Property::Buttons, toolbar, widgets);
        return toolbar;
    }

    void show(const Element& element, Property property, QObject* widget,
              WidgetSurface& widgets) const override {
        if (property != Property::Buttons) return;
        auto* toolbar = static_cast<QToolBar*>(widget);
        QList<QAction*> actions = toolbar->actions();
        if (actions.size() != static_cast<qsizetype>(element.buttons.size())) {
            qDeleteAll(actions);
            actions.clear();
            for (const ToolButton& button : element.buttons) {
                QAction* action = toolbar->addAction(toolbarIcon(element.id, button.key, toolbar->style()),
                                                     toQt(button.key));
                action->setObjectName(toQt(button.key));
                action->setProperty(kKey, toQt(button.key));
                action->setCheckable(button.twoState);
                QObject::connect(action, &QAction::triggered, &widgets,
                                 [&widgets, id = element.id, key = button.key] {
                                     widgets.forward(id, [&] { widgets.surface().userClickTool(id, key); });
                                 });
                // A button passes the moves it does not use on to its toolbar, which hands them on.
                if (QWidget* tool = toolbar->widgetForAction(action)) tool->setMouseTracking(true);
                actions.push_back(action);
            }
        }
        for (std::size_t i = 0; i < element.buttons.size(); ++i) {
            const ToolButton& button = element.buttons[i];
            QAction* action = actions[static_cast<qsizetype>(i)];
            QSignalBlocker blocker(action);
            action->setToolTip(toQt(button.toolTip));
            action->setStatusTip(toQt(button.description));
            if (button.twoState) action->setChecked(button.pressed);
        }
    }

    void read(QObject* widget, Element& shown) const override {
        for (ToolButton& button : shown.buttons) {
            if (QAction* action = actionOf(widget, button.key)) {
                button.description = fromQt(action->statusTip());
                button.toolTip = fromQt(action->toolTip());
                button.pressed = action->isChecked();
            }
        }
    }

    bool clickTool(QObject* widget, const std::string& key) const override {
        QAction* action = actionOf(widget, key);
        if (!action || !action->isEnabled()) return false;
        action->trigger();
        return true;
    }

    bool moveMouse(QObject* widget) const override {
        auto* toolbar = static_cast<QToolBar*>(widget);
        const QPointF inside(toolbar->width() / 2.0, toolbar->height() / 2.0);
        QMouseEvent move(QEvent::MouseMove, inside, toolbar->mapToGlobal(inside), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(toolbar, &move);
        return true;
    }

    static QAction* actionOf(QObject* widget, const std::string& key) {
        const QString wanted = toQt(key);
        for (QAction* action : static_cast<QToolBar*>(widget)->actions())
            if (action->property(kKey).toString() == wanted) return action;
        return nullptr;
    }
};

} // namespace

const WidgetAdapter& toolbarAdapter() {
    static const ToolbarAdapter adapter;
    return adapter;
}

} // namespace pelmark
