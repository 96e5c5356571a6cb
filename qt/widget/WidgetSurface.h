#pragma once

#include "surface/Surface.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QAction;
class QLabel;
class QTimer;
class QWidget;

namespace pelmark {

class PictureBox;

// The real widgets of one control: one widget per element of the model, placed by its twip geometry.
// The widgets keep nothing of their own. Every change of the model reaches them through the model's
// observer (applied under QSignalBlocker, so nothing echoes back), and every user action on them goes
// into the model as the user's action. `host` receives the top-level elements and takes the control's
// fixed size; the widget surface must end before the model does.
class WidgetSurface : public QObject {
    Q_OBJECT
public:
    // Receives what a user action threw, so no exception travels through Qt's event handling.
    using FailureSink = std::function<void(std::exception_ptr)>;

    WidgetSurface(Surface& surface, QWidget* host);
    ~WidgetSurface() override;

    Surface& surface() const { return surface_; }
    QWidget* host() const { return host_; }

    // The widget of an element; null for elements without one (timers, dialogs, image lists).
    QWidget* widget(ElementRef element) const;
    QTimer* timer(ElementRef element) const;
    QAction* toolAction(ElementRef toolbar, std::string_view key) const;
    // Panel `index` (from 1) of a status bar; null when there is no such panel.
    QLabel* panel(ElementRef statusBar, int index) const;

    double dpiX() const { return dpiX_; }
    double dpiY() const { return dpiY_; }

    void setFailureSink(FailureSink sink) { failureSink_ = std::move(sink); }

    // Texts of edit fields, list fields (with their entries and choice), status-bar panels, check
    // boxes' states and whether widgets take input reach the widgets in one pass at the next turn of the
    // event loop (a load writes them many times, and each write lays a widget out again). Whoever reads
    // or acts on those widgets before that turn applies them first.
    void applyPending();

    // The host was given a size in pixels; the model decides what becomes of it.
    void hostResized(QSize pixels);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        bool made = false;
        QWidget* widget = nullptr;
        QTimer* timer = nullptr;
        std::vector<QLabel*> panels;
        std::vector<QAction*> actions;
        // A caption that frames a field in its run of blanks: the field, and the label showing the
        // text after the blanks.
        std::optional<ElementId> gapField;
        QLabel* tail = nullptr;
        // For a field: the caption that frames it.
        std::optional<ElementId> framedBy;
        // A label that continues such a caption's line ("Bild", field, "/", count): it follows the
        // tail, on the field's line. For the caption: that label.
        std::optional<ElementId> follows;
        std::optional<ElementId> follower;
        // The properties waiting in `pending_`, one bit each.
        std::uint32_t pending = 0;
    };

    Binding& bindingOf(ElementId id) { return bindings_[indexOf(id)]; }
    const Binding& bindingOf(ElementId id) const { return bindings_[indexOf(id)]; }

    void create(const Element& element);
    QWidget* createWidget(const Element& element, Binding& binding);
    QWidget* parentFor(const Element& element);
    void applyStyle(const Element& element, QWidget* widget);
    void stackSiblings();
    void orderTabStops();
    void splitGapCaptions();
    void placeTail(const Element& label, const Binding& binding, QPoint offset);
    int coveredRight(const Element& bar) const;
    void placeTabPages(ElementId tabStrip);
    void place(const Element& element, QWidget* widget);

    void refresh(ElementId id, Property property);
    void refreshAll(ElementId id);
    void refreshPicture(const Element& element, PictureBox* box);
    void refreshText(const Element& element, QWidget* widget);
    void refreshValue(const Element& element, QWidget* widget);
    void refreshItems(const Element& element, QWidget* widget);
    void refreshPanels(const Element& element, Binding& binding);
    void refreshButtons(const Element& element, Binding& binding);
    void refreshTimer(const Element& element, QTimer* timer);

    // Runs a user action on the model, hands what it throws to the sink, then shows the element as
    // the model has it (the model may have refused or changed what the widget already shows).
    void forward(ElementId id, const std::function<void()>& action);

    int px(int twips) const;
    int py(int twips) const;

    Surface& surface_;
    QPointer<QWidget> host_;
    double dpiX_;
    double dpiY_;
    std::array<Binding, kElementCount> bindings_;
    // Deferred refreshes, each once, in the order they first came; `applyQueued` is posted once.
    std::vector<std::pair<ElementId, Property>> pending_;
    bool applyQueued_ = false;
    bool applying_ = false;
    FailureSink failureSink_;
    Surface::ObserverId observer_ = 0;
};

} // namespace pelmark
