#pragma once

#include "surface/Surface.h"
#include "widget/CaptionFit.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <utility>
#include <vector>

namespace pelmark {

class WidgetAdapter;

// The real widgets of one control: one widget per element of the model, made and shown by the adapter
// of its kind (widget/adapters/), placed by its twip geometry. The widgets keep nothing of their own.
// Every change of the model reaches them through the model's observer (applied under QSignalBlocker,
// so nothing echoes back), and every user action on them goes into the model as the user's action.
// `host` receives the top-level elements and takes the control's fixed size; the widget surface must
// end before the model does.
class WidgetSurface : public QObject {
    Q_OBJECT
public:
    // Receives what a user action threw, so no exception travels through Qt's event handling.
    using FailureSink = std::function<void(std::exception_ptr)>;

    WidgetSurface(Surface& surface, QWidget* host);
    ~WidgetSurface() override;

    Surface& surface() const { return surface_; }

    // The widget of an element; null for elements without one (timers, dialogs, image lists) and,
    // before the host is first polished, for those not made yet (see `fit`).
    QWidget* widget(ElementRef element) const { return bindingOf(element.id()).widget; }
    // What shows an element, made now if it was not: its widget, or a timer's QTimer; null for the rest.
    QObject* shown(ElementRef element);

    // Writes into `element` (a copy of the model's) what its widget shows, in the model's terms.
    void readBack(Element& element);

    double dpiX() const { return dpiX_; }
    double dpiY() const { return dpiY_; }
    int px(int twips) const;
    int py(int twips) const;

    void setFailureSink(FailureSink sink) { failureSink_ = std::move(sink); }

    // Texts of edit fields, list fields (with their entries and choice), status-bar panels, check
    // boxes' states and whether widgets take input reach the widgets in one pass at the next turn of the
    // event loop (a load writes them many times, and each write lays a widget out again). Whoever reads
    // or acts on those widgets before that turn applies them first.
    void applyPending();

    // The host was given a size in pixels; the model decides what becomes of it.
    void hostResized(QSize pixels);

    // Runs a user action on the model, hands what it throws to the sink, then shows the element as
    // the model has it (the model may have refused or changed what the widget already shows).
    void forward(ElementId id, const std::function<void()>& action);

    // Places the elements of a container again (a tab strip, once Qt has laid out its pages).
    void placeContents(ElementId container);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class CaptionFit;

    struct Binding {
        bool made = false;
        QObject* shown = nullptr;
        QWidget* widget = nullptr;
        const WidgetAdapter* adapter = nullptr;
        // The properties waiting in `pending_`, one bit each.
        std::uint32_t pending = 0;
        // Where the widget was last placed, in the model's twips.
        QRect twips;
    };

    Binding& bindingOf(ElementId id) { return bindings_[indexOf(id)]; }
    const Binding& bindingOf(ElementId id) const { return bindings_[indexOf(id)]; }

    void create(const Element& element);
    void makeAll();
    QWidget* parentFor(const Element& element);
    void applyStyle(const Element& element, QWidget* widget);
    void applyFont(const Element& element, QWidget* widget);
    void stackSiblings();
    void orderTabStops();
    void place(const Element& element, QWidget* widget);
    void fit();

    void refresh(ElementId id, Property property);
    void refreshAll(ElementId id);

    Surface& surface_;
    QPointer<QWidget> host_;
    double dpiX_;
    double dpiY_;
    std::array<Binding, kElementCount> bindings_;
    // Deferred refreshes, each once, in the order they first came; `applyQueued` is posted once.
    std::vector<std::pair<ElementId, Property>> pending_;
    bool applyQueued_ = false;
    bool applying_ = false;
    // Whether the host has been polished: every widget made and fitted to its font (see `fit`).
    bool fitted_ = false;
    FailureSink failureSink_;
    CaptionFit captions_{*this};
    Surface::ObserverId observer_ = 0;
};

} // namespace pelmark
