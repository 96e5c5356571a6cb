#include "widget/WidgetSurface.h"

#include "qtplatform/Latin1Text.h"
#include "qtplatform/Twips.h"
#include "widget/ArrowSpin.h"
#include "widget/ShownText.h"
#include "widget/TabPages.h"
#include "widget/adapters/WidgetAdapter.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QRect>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>

namespace pelmark {

namespace {

constexpr const char* kElementId = "pelmarkElement";
constexpr const char* kTag = "tag";

constexpr const char* kStepsSpin = "stepsSpin";

template <typename Widget>
Widget* as(QWidget* widget) {
    return qobject_cast<Widget*>(widget);
}

// The number field steps the photo number with the keys the spin control takes.
constexpr std::pair<ElementId, ElementId> kSteppedFields[] = {{ElementId::ActPictNum, ElementId::UpDown1}};

} // namespace

WidgetSurface::WidgetSurface(Surface& surface, QWidget* host)
    : surface_(surface), host_(host), dpiX_(host->logicalDpiX()), dpiY_(host->logicalDpiY()),
      fitted_(host->testAttribute(Qt::WA_WState_Polished)) {
    if (dpiX_ <= 0) dpiX_ = kDefaultDpi;
    if (dpiY_ <= 0) dpiY_ = kDefaultDpi;
    // The layout's texts were measured in a small, narrow dialog font: a wider one would run past the
    // fields that sit in the gaps of the labels' captions.
    QFont font = host->font();
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("Arial Narrow"), font.family()});
    font.setPointSizeF(8.0);
    host->setFont(font);

    // The host takes the control's size at once: a window lays itself out around it before anything
    // is shown.
    create(surface_.get(ElementId::Veltora));
    if (fitted_) makeAll();

    // Whatever size the host is given goes to the model, which decides what becomes of it.
    host->installEventFilter(this);

    observer_ = surface_.addObserver(
        [this](const Element& element, Property property) { refresh(element.id, property); });
}

WidgetSurface::~WidgetSurface() {
    surface_.removeObserver(observer_);
    // The widgets go first, while the model they report to still listens to nobody.
    for (Binding& binding : bindings_) {
        if (auto* timer = qobject_cast<QTimer*>(binding.shown)) timer->stop();
        if (binding.widget) binding.widget->disconnect(this);
    }
    if (!host_) return;
    for (const Element& element : surface_.elements()) {
        QWidget* top = bindingOf(element.id).widget;
        if (!element.container && top) delete top;
    }
}

int WidgetSurface::px(int twips) const {
    return twipsToPixels(twips, dpiX_);
}

int WidgetSurface::py(int twips) const {
    return twipsToPixels(twips, dpiY_);
}

QWidget* WidgetSurface::parentFor(const Element& element) {
    if (!element.container) return host_;
    if (!bindingOf(*element.container).made) create(surface_.get(*element.container));
    QWidget* container = widget(*element.container);
    if (!container) return host_;
    if (auto* tabs = as<TabPages>(container)) {
        QWidget* page = tabs->widget(element.page);
        return page ? page : container;
    }
    return container;
}

void WidgetSurface::create(const Element& element) {
    Binding& binding = bindingOf(element.id);
    if (binding.made) return;
    binding.made = true;
    binding.adapter = adapterFor(element.kind);
    if (binding.adapter) {
        binding.shown = binding.adapter->create(element, parentFor(element), *this);
        binding.shown->setObjectName(toQt(element.name));
        binding.widget = qobject_cast<QWidget*>(binding.shown);
    }
    if (QWidget* widget = binding.widget) {
        widget->setProperty(kElementId, static_cast<int>(indexOf(element.id)));
        applyStyle(element, widget);
        for (auto [field, spin] : kSteppedFields) {
            if (element.id != field) continue;
            widget->setProperty(kStepsSpin, static_cast<int>(indexOf(spin)));
            widget->installEventFilter(this);
        }
    }
    refreshAll(element.id);
}

QObject* WidgetSurface::shown(ElementRef element) {
    if (!bindingOf(element.id()).made) create(surface_.get(element.id()));
    return bindingOf(element.id()).shown;
}

void WidgetSurface::makeAll() {
    for (const Element& element : surface_.elements())
        create(element);
    captions_.split();
    stackSiblings();
    orderTabStops();
}

void WidgetSurface::applyStyle(const Element& element, QWidget* widget) {
    const ElementStyle& style = element.style;
    if (fitted_) applyFont(element, widget);
    QPalette palette = widget->palette();
    switch (style.background) {
    case Background::Red:
        widget->setAutoFillBackground(true);
        palette.setColor(QPalette::Window, Qt::red);
        break;
    case Background::ButtonFace:
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        break;
    case Background::ToolTip:
        palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
        palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
        break;
    case Background::Transparent:
        widget->setAutoFillBackground(false);
        break;
    case Background::Default:
        break;
    }
    widget->setPalette(palette);
    if (!style.tabStop) widget->setFocusPolicy(Qt::ClickFocus);
}

void WidgetSurface::applyFont(const Element& element, QWidget* widget) {
    if (!element.style.bold) return;
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

// Overlapping siblings lie in the order of their stack level. Within a level frames lie at the
// bottom, so a button that reaches over a frame's edge (`ShowHide` over `EXFrame`) stays clickable;
// among the rest the one made later lies above, as Qt does anyway.
void WidgetSurface::stackSiblings() {
    struct Stacked {
        int level;
        bool frame;
        QWidget* widget;
    };
    std::vector<Stacked> stacked;
    for (const Element& element : surface_.elements()) {
        if (QWidget* w = widget(element.id))
            stacked.push_back({element.style.stackLevel, element.kind == ElementKind::Frame, w});
    }
    std::stable_sort(stacked.begin(), stacked.end(), [](const Stacked& a, const Stacked& b) {
        return a.level != b.level ? a.level < b.level : a.frame > b.frame;
    });
    for (const Stacked& s : stacked)
        s.widget->raise();
}

void WidgetSurface::place(const Element& element, QWidget* widget) {
    QPoint offset(0, 0);
    if (element.container) {
        if (auto* tabs = as<TabPages>(this->widget(*element.container)))
            offset = tabs->pageOffset(element.page);
    }
    bindingOf(element.id).twips = QRect(element.left, element.top, element.width, element.height);
    if (!fitted_) {
        widget->setGeometry(px(element.left) - offset.x(), py(element.top) - offset.y(), px(element.width),
                            py(element.height));
        return;
    }
    const int width = captions_.width(element, widget, px(element.width));
    if (captions_.place(element, widget, offset, width)) return;
    widget->setGeometry(captions_.left(element, px(element.left) - offset.x()), py(element.top) - offset.y(),
                        width, py(element.height));
}

// Making the widgets, loading their fonts and measuring their captions is most of what a widget
// console costs at start, and a widget nobody looks at needs none of it (the console's widget driver
// never shows its widgets): until the host is first polished, which comes before it is first shown or
// drawn, a widget is made when it is first acted on or read, shows the model as it is then, lies at
// its twip place and draws in the host's font. Then the rest are made, and every widget is fitted.
void WidgetSurface::fit() {
    fitted_ = true;
    for (const Element& element : surface_.elements()) {
        if (QWidget* w = widget(element.id)) {
            applyFont(element, w);
            place(element, w);
        }
    }
    makeAll();
}

void WidgetSurface::placeContents(ElementId container) {
    for (const Element& element : surface_.elements()) {
        QWidget* w = widget(element.id);
        if (w && element.container == container) place(element, w);
    }
}

void WidgetSurface::hostResized(QSize pixels) {
    const Element& control = surface_.get(ElementId::Veltora);
    if (pixels == QSize(px(control.width), py(control.height))) return;
    forward(ElementId::Veltora, [&] {
        surface_.hostResize(pixelsToTwips(pixels.width(), dpiX_), pixelsToTwips(pixels.height(), dpiY_));
    });
}

void WidgetSurface::forward(ElementId id, const std::function<void()>& action) {
    // The action may end in the host deleting the control, and this surface with it.
    QPointer<WidgetSurface> self(this);
    try {
        action();
    } catch (...) {
        if (failureSink_) failureSink_(std::current_exception());
    }
    if (self) refreshAll(id);
}

// Tab runs through the surface as the eye reads it: container by container (in the order they were
// made), within each top to bottom in rows of about a field's height, then left to right.
void WidgetSurface::orderTabStops() {
    struct Stop {
        int container;
        int page;
        int row;
        int left;
        QWidget* widget;
    };
    std::vector<std::optional<ElementId>> containers;
    std::vector<Stop> stops;
    for (const Element& element : surface_.elements()) {
        QWidget* w = widget(element.id);
        if (!w || !(w->focusPolicy() & Qt::TabFocus)) continue;
        auto at = std::find(containers.begin(), containers.end(), element.container);
        if (at == containers.end()) at = containers.insert(containers.end(), element.container);
        stops.push_back(
            {static_cast<int>(at - containers.begin()), element.page, element.top / 200, element.left, w});
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
        return std::tie(a.container, a.page, a.row, a.left) < std::tie(b.container, b.page, b.row, b.left);
    });
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1].widget, stops[i].widget);
}

bool WidgetSurface::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const QVariant spinId = watched->property(kStepsSpin);
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Left and Right stay the field's own: they move the cursor.
        const int step = key == Qt::Key_Left || key == Qt::Key_Right ? 0 : ArrowSpin::stepOfKey(key);
        if (spinId.isValid() && step != 0) {
            if (auto* spin = qobject_cast<ArrowSpin*>(shown(static_cast<ElementId>(spinId.toInt()))))
                spin->request(spin->value() + step);
            return true;
        }
    }
    if (watched == host_ && event->type() == QEvent::Polish && !fitted_) {
        fit();
    } else if (watched == host_ && event->type() == QEvent::Resize) {
        hostResized(static_cast<QResizeEvent*>(event)->size());
    } else if (event->type() == QEvent::MouseMove) {
        const QVariant element = watched->property(kElementId);
        if (element.isValid()) {
            const auto id = static_cast<ElementId>(element.toInt());
            forward(id, [&] { surface_.userMouseMove(id); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void WidgetSurface::refreshAll(ElementId id) {
    // A widget shows its element's whole state from the moment it exists. It is placed before it is
    // shown: Qt sizes a widget shown without a size of its own to its text, only to be placed after.
    const bool applying = std::exchange(applying_, true);
    for (Property property :
         {Property::Items, Property::Text, Property::Value, Property::Range, Property::Selected,
          Property::Enabled, Property::Geometry, Property::Visible, Property::ToolTip, Property::Tag,
          Property::Picture, Property::Panels, Property::Buttons, Property::Timer})
        refresh(id, property);
    applying_ = applying;
}

void WidgetSurface::refresh(ElementId id, Property property) {
    Binding& binding = bindingOf(id);
    if (!binding.made) return;
    const Element& element = surface_.get(id);

    if (element.kind == ElementKind::Control) {
        if (property == Property::Geometry) host_->setFixedSize(px(element.width), py(element.height));
        return;
    }
    if (!binding.shown) return;
    // The kind says which changes wait for the one pass (see `applyPending`).
    if (!applying_) {
        if (const std::optional<Property> waiting = binding.adapter->deferredAs(property)) {
            const auto bit = 1u << static_cast<unsigned>(*waiting);
            if (!(binding.pending & bit)) {
                binding.pending |= bit;
                pending_.emplace_back(id, *waiting);
            }
            if (!applyQueued_) {
                applyQueued_ = true;
                QMetaObject::invokeMethod(this, &WidgetSurface::applyPending, Qt::QueuedConnection);
            }
            return;
        }
    }
    QSignalBlocker blocker(binding.shown);
    // The kind's own properties, then what every widget has.
    binding.adapter->show(element, property, binding.shown, *this);
    QWidget* w = binding.widget;
    if (!w) return;
    switch (property) {
    case Property::Text:
        if (auto* label = as<QLabel>(w)) {
            captions_.showText(id, label, label->text());
            place(element, label);
        }
        break;
    case Property::Enabled:
        w->setEnabled(element.enabled);
        break;
    case Property::Visible:
        w->setHidden(!element.visible);
        captions_.showVisible(element);
        break;
    case Property::Geometry:
        place(element, w);
        break;
    case Property::ToolTip:
        w->setToolTip(shownText(element.id, element.toolTip));
        break;
    case Property::Tag:
        w->setProperty(kTag, toQt(element.tag));
        break;
    default:
        break;
    }
}

void WidgetSurface::applyPending() {
    applyQueued_ = false;
    const std::vector<std::pair<ElementId, Property>> pending = std::exchange(pending_, {});
    applying_ = true;
    for (const auto& [id, property] : pending) {
        bindingOf(id).pending = 0;
        refresh(id, property);
    }
    applying_ = false;
}

void WidgetSurface::readBack(Element& element) {
    shown(element.id);
    const Binding& binding = bindingOf(element.id);
    if (!binding.shown) return;
    binding.adapter->read(binding.shown, element);
    QWidget* w = binding.widget;
    if (!w) return;
    element.enabled = !w->testAttribute(Qt::WA_ForceDisabled);
    element.visible = !w->isHidden();
    const QRect& twips = binding.twips;
    element.left = twips.x();
    element.top = twips.y();
    element.width = twips.width();
    element.height = twips.height();
    const QString toolTip = w->toolTip();
    if (toolTip != shownText(element.id, element.toolTip)) element.toolTip = typedText(element.id, toolTip);
    element.tag = fromQt(w->property(kTag).toString());
}

} // namespace pelmark
