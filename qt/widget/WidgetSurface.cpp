#include "widget/WidgetSurface.h"

#include "qtplatform/Latin1Text.h"
#include "qtplatform/PictureLoader.h"
#include "qtplatform/Twips.h"
#include "widget/ArrowSpin.h"
#include "widget/ModelButtons.h"
#include "widget/PictureBox.h"
#include "widget/ShownText.h"
#include "widget/TabPages.h"
#include "widget/ToolbarIcons.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>
#include <tuple>
#include <utility>

namespace pelmark {

namespace {

constexpr const char* kElementId = "pelmarkElement";
constexpr const char* kTwipGeometry = "twipGeometry";
constexpr const char* kTag = "tag";

constexpr const char* kStepsSpin = "stepsSpin";
constexpr const char* kCaption = "caption";

// A run of blanks this long in a caption is room left for a field.
constexpr std::string_view kGap = "   ";

template <typename Widget>
Widget* as(QWidget* widget) {
    return qobject_cast<Widget*>(widget);
}

// What a change of `property` waits for the one pass as, if it waits (see `applyPending`): the texts of
// edit and list fields, status panels, check boxes' states and whether a widget takes input. A photo load
// writes these several times over (clears, then sets), and each write lays a widget out again. A list
// field's text, entries and choice all come out of one refresh of its entries.
std::optional<Property> waitsForPass(QWidget* w, Property property) {
    switch (property) {
    case Property::Panels:
    case Property::Enabled:
        return property;
    case Property::Value:
        if (as<QCheckBox>(w)) return property;
        return std::nullopt;
    case Property::Text:
        if (as<QLineEdit>(w) || as<QPlainTextEdit>(w)) return property;
        [[fallthrough]];
    case Property::Items:
    case Property::Selected:
        if (as<QComboBox>(w)) return Property::Items;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// The number field steps the photo number with the keys the spin control takes.
constexpr std::pair<ElementId, ElementId> kSteppedFields[] = {{ElementId::ActPictNum, ElementId::UpDown1}};

} // namespace

WidgetSurface::WidgetSurface(Surface& surface, QWidget* host)
    : surface_(surface), host_(host), dpiX_(host->logicalDpiX()), dpiY_(host->logicalDpiY()) {
    if (dpiX_ <= 0) dpiX_ = kDefaultDpi;
    if (dpiY_ <= 0) dpiY_ = kDefaultDpi;
    // The layout's texts were measured in a small, narrow dialog font: a wider one would run past the
    // fields that sit in the gaps of the labels' captions.
    QFont font = host->font();
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("Arial Narrow"), font.family()});
    font.setPointSizeF(8.0);
    host->setFont(font);

    for (const Element& element : surface_.elements())
        create(element);
    splitGapCaptions();
    stackSiblings();
    orderTabStops();
    for (auto [field, spin] : kSteppedFields) {
        if (QWidget* w = widget(field)) {
            w->setProperty(kStepsSpin, static_cast<int>(indexOf(spin)));
            w->installEventFilter(this);
        }
    }

    // Whatever size the host is given goes to the model, which decides what becomes of it.
    host->installEventFilter(this);

    observer_ = surface_.addObserver(
        [this](const Element& element, Property property) { refresh(element.id, property); });
}

WidgetSurface::~WidgetSurface() {
    surface_.removeObserver(observer_);
    // The widgets go first, while the model they report to still listens to nobody.
    for (Binding& binding : bindings_) {
        if (binding.timer) binding.timer->stop();
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

QWidget* WidgetSurface::widget(ElementRef element) const {
    return bindingOf(element.id()).widget;
}

QTimer* WidgetSurface::timer(ElementRef element) const {
    return bindingOf(element.id()).timer;
}

QAction* WidgetSurface::toolAction(ElementRef toolbar, std::string_view key) const {
    for (QAction* action : bindingOf(toolbar.id()).actions)
        if (action->property("key").toString() == toQt(std::string(key))) return action;
    return nullptr;
}

QLabel* WidgetSurface::panel(ElementRef statusBar, int index) const {
    const Binding& binding = bindingOf(statusBar.id());
    if (index < 1 || index > static_cast<int>(binding.panels.size())) return nullptr;
    return binding.panels[static_cast<std::size_t>(index - 1)];
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
    if (element.kind == ElementKind::Control) {
        refreshAll(element.id);
        return;
    }
    if (element.kind == ElementKind::Timer) {
        binding.timer = new QTimer(this);
        binding.timer->setObjectName(toQt(element.name));
        connect(binding.timer, &QTimer::timeout, this,
                [this, id = element.id] { forward(id, [&] { surface_.timerFires(id); }); });
        refreshTimer(element, binding.timer);
        return;
    }
    QWidget* widget = createWidget(element, binding);
    if (!widget) return;
    binding.widget = widget;
    widget->setObjectName(toQt(element.name));
    widget->setProperty(kElementId, static_cast<int>(indexOf(element.id)));
    // Fields carry no caption of their own: a screen reader names them by their element.
    if (element.kind == ElementKind::TextField || element.kind == ElementKind::ComboBox ||
        element.kind == ElementKind::PictureBox)
        widget->setAccessibleName(toQt(element.name));
    applyStyle(element, widget);
    refreshAll(element.id);
}

QWidget* WidgetSurface::createWidget(const Element& element, Binding& binding) {
    const ElementId id = element.id;
    QWidget* parent = parentFor(element);
    switch (element.kind) {
    case ElementKind::Frame:
        return new QGroupBox(parent);
    case ElementKind::Label: {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ElementKind::TextField:
        if (element.style.multiLine) {
            auto* edit = new QPlainTextEdit(parent);
            // A tab in a description is rare; leaving the field with Tab is what users try.
            edit->setTabChangesFocus(true);
            connect(edit, &QPlainTextEdit::textChanged, this, [this, id, edit] {
                forward(id, [&] { surface_.userSetText(id, fromQt(edit->toPlainText())); });
            });
            return edit;
        } else {
            auto* edit = new QLineEdit(parent);
            // The model's texts have no length limit; Qt's line edit would cut them at 32767.
            edit->setMaxLength(std::numeric_limits<int>::max());
            connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
                forward(id, [&] { surface_.userSetText(id, typedText(id, text)); });
            });
            return edit;
        }
    case ElementKind::PushButton: {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, id] { forward(id, [&] { surface_.userClick(id); }); });
        return button;
    }
    case ElementKind::CheckBox: {
        auto* box = new ModelCheckBox(parent);
        box->setTristate(true);
        box->onUserClick([this, id] { forward(id, [&] { surface_.userClick(id); }); });
        // A state set on the box from outside a click (a script, an accessibility tool) is the user's too.
        connect(box, &QCheckBox::stateChanged, this, [this, id](int state) {
            forward(id, [&] { surface_.userSetValue(id, checkValueOf(static_cast<Qt::CheckState>(state))); });
        });
        return box;
    }
    case ElementKind::OptionButton: {
        auto* option = new ModelRadioButton(parent);
        // The model keeps the options of a frame exclusive; Qt's own rule would refuse to clear one.
        option->setAutoExclusive(false);
        option->onUserClick([this, id] { forward(id, [&] { surface_.userClick(id); }); });
        return option;
    }
    case ElementKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, id](const QString& text) {
            forward(id, [&] { surface_.userSetText(id, fromQt(text)); });
        });
        connect(combo, &QComboBox::textActivated, this, [this, id](const QString& text) {
            forward(id, [&] { surface_.userSetText(id, fromQt(text)); });
        });
        return combo;
    }
    case ElementKind::PictureBox: {
        auto* box = new PictureBox(parent);
        box->onDrop([this, id](std::optional<std::vector<std::string>> files) {
            forward(id, [&] { surface_.userDrop(id, std::move(files)); });
        });
        return box;
    }
    case ElementKind::TabStrip: {
        auto* tabs = new TabPages(parent);
        // All five tabs stand in one row, as narrow as their captions allow.
        tabs->setUsesScrollButtons(false);
        tabs->tabBar()->setExpanding(true);
        for (const std::string& caption : element.items)
            tabs->addTab(new QWidget(), toQt(caption));
        tabs->onLayout([this, id] { placeTabPages(id); });
        connect(tabs, &QTabWidget::currentChanged, this,
                [this, id](int index) { forward(id, [&] { surface_.setSelected(id, index); }); });
        return tabs;
    }
    case ElementKind::Toolbar: {
        auto* toolbar = new QToolBar(parent);
        toolbar->setMovable(false);
        toolbar->setFloatable(false);
        toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        toolbar->setIconSize(QSize(16, 16));
        // The layout leaves room for the buttons' pictures and little else.
        toolbar->setStyleSheet(QStringLiteral("QToolBar { spacing: 0px; padding: 0px; border: none; }"
                                              "QToolButton { padding: 1px; margin: 0px; }"));
        toolbar->setContentsMargins(0, 0, 0, 0);
        toolbar->setMouseTracking(true);
        toolbar->installEventFilter(this);
        binding.widget = toolbar;
        refreshButtons(element, binding);
        return toolbar;
    }
    case ElementKind::StatusBar: {
        auto* bar = new QStatusBar(parent);
        bar->setSizeGripEnabled(false);
        return bar;
    }
    case ElementKind::SpinControl: {
        auto* spin = new ArrowSpin(parent);
        spin->onStep([this, id](int value) { forward(id, [&] { surface_.userSetValue(id, value); }); });
        return spin;
    }
    case ElementKind::Control:
    case ElementKind::Timer:
    case ElementKind::FileDialog:
    case ElementKind::ImageList:
        return nullptr;
    }
    return nullptr;
}

void WidgetSurface::applyStyle(const Element& element, QWidget* widget) {
    const ElementStyle& style = element.style;
    if (style.bold) {
        QFont font = widget->font();
        font.setBold(true);
        widget->setFont(font);
    }
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
    if (auto* edit = as<QLineEdit>(widget)) edit->setReadOnly(style.readOnly);
    if (auto* lines = as<QPlainTextEdit>(widget)) lines->setReadOnly(style.readOnly);
    if (!style.tabStop) widget->setFocusPolicy(Qt::ClickFocus);
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
    widget->setProperty(kTwipGeometry, QRect(element.left, element.top, element.width, element.height));
    int width = px(element.width);
    // This platform's dialog font runs a little wider than the one the layout was made with; a caption
    // may reach past its box rather than lose its last letters.
    if (auto* label = as<QLabel>(widget)) width = std::max(width, label->sizeHint().width());
    // A coloured bar under other labels reaches as far as their texts do.
    if (element.kind == ElementKind::Label && element.style.background == Background::Red)
        width = std::max(width, coveredRight(element) - px(element.left));
    const Binding& binding = bindingOf(element.id);
    if (binding.tail) {
        // The caption sits on the line of the field it frames, its text level with the field's.
        const Element& field = surface_.get(*binding.gapField);
        widget->setGeometry(px(element.left) - offset.x(), py(field.top) - offset.y(), width,
                            py(field.height));
        placeTail(element, binding, offset);
        return;
    }
    if (binding.follows) {
        const Binding& caption = bindingOf(*binding.follows);
        const Element& field = surface_.get(*caption.gapField);
        widget->setGeometry(caption.tail->geometry().right() + 1, py(field.top) - offset.y(), width,
                            py(field.height));
        if (auto* label = as<QLabel>(widget)) label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return;
    }
    int left = px(element.left) - offset.x();
    if (binding.framedBy) {
        // A field framed by a caption starts after the caption's first words, should the font draw
        // them wider than the blanks before the field were meant for.
        if (auto* label = as<QLabel>(this->widget(*binding.framedBy)))
            left = std::max(left, label->x() + label->fontMetrics().horizontalAdvance(label->text()) + 3);
    }
    widget->setGeometry(left, py(element.top) - offset.y(), width, py(element.height));
}

void WidgetSurface::placeTail(const Element& label, const Binding& binding, QPoint offset) {
    const Element& field = surface_.get(*binding.gapField);
    // A little air after the field's frame, wherever the field ended up.
    QWidget* fieldWidget = widget(*binding.gapField);
    const int left =
        fieldWidget ? fieldWidget->geometry().right() + 3 : px(field.left + field.width) + 2 - offset.x();
    binding.tail->setGeometry(left, py(field.top) - offset.y(), binding.tail->sizeHint().width(),
                              py(field.height));
    binding.tail->setHidden(!label.visible);
    if (binding.follower) refresh(*binding.follower, Property::Geometry);
}

int WidgetSurface::coveredRight(const Element& bar) const {
    int right = 0;
    for (const Element& other : surface_.elements()) {
        QWidget* w = widget(other.id);
        if (!w || other.kind != ElementKind::Label || other.container != bar.container ||
            other.style.stackLevel <= bar.style.stackLevel || other.top != bar.top)
            continue;
        auto* label = as<QLabel>(w);
        right = std::max(right, px(other.left) + (label ? label->sizeHint().width() : px(other.width)));
    }
    return right;
}

// A caption with a run of blanks frames a field placed in the run ("ShutterSpeed: 1/", field, "sec").
// The blanks were measured for another font, so the text after them is shown by a label of its own
// just right of the field: neither half runs under the field, whatever the font.
void WidgetSurface::splitGapCaptions() {
    for (const Element& label : surface_.elements()) {
        if (label.kind != ElementKind::Label || label.text.find(kGap) == std::string::npos) continue;
        for (const Element& field : surface_.elements()) {
            const bool isField = field.kind == ElementKind::TextField || field.kind == ElementKind::ComboBox;
            const bool inRow = field.top < label.top + label.height && label.top < field.top + field.height;
            const bool inRun = field.left > label.left && field.left < label.left + label.width;
            if (!isField || field.container != label.container || field.page != label.page || !inRow ||
                !inRun)
                continue;
            Binding& binding = bindingOf(label.id);
            if (!binding.widget) break;
            binding.gapField = field.id;
            binding.tail = new QLabel(binding.widget->parentWidget());
            binding.tail->setTextFormat(Qt::PlainText);
            binding.tail->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            binding.tail->setObjectName(toQt(label.name) + QStringLiteral("Tail"));
            as<QLabel>(binding.widget)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            bindingOf(field.id).framedBy = label.id;
            // A label that starts where the caption ends, on its row, continues the caption's line.
            for (const Element& after : surface_.elements()) {
                if (after.kind == ElementKind::Label && after.container == label.container &&
                    after.page == label.page && after.top == label.top &&
                    std::abs(after.left - (label.left + label.width)) <= 30 && bindingOf(after.id).widget) {
                    binding.follower = after.id;
                    bindingOf(after.id).follows = label.id;
                }
            }
            refreshAll(label.id);
            refresh(field.id, Property::Geometry); // after the caption's first words
            refresh(label.id, Property::Geometry); // the tail after the field
            break;
        }
    }
    // The bars that other labels lie over are placed again, now that those labels exist.
    for (const Element& element : surface_.elements())
        if (element.style.background == Background::Red) refresh(element.id, Property::Geometry);
}

void WidgetSurface::placeTabPages(ElementId tabStrip) {
    for (const Element& element : surface_.elements()) {
        QWidget* w = widget(element.id);
        if (w && element.container == tabStrip) place(element, w);
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
            if (auto* spin = as<ArrowSpin>(widget(static_cast<ElementId>(spinId.toInt()))))
                spin->request(spin->value() + step);
            return true;
        }
    }
    if (watched == host_ && event->type() == QEvent::Resize) {
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
    if (binding.timer) {
        if (property == Property::Timer) refreshTimer(element, binding.timer);
        return;
    }
    QWidget* w = binding.widget;
    if (!w) return;
    if (!applying_) {
        if (const std::optional<Property> waiting = waitsForPass(w, property)) {
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
    QSignalBlocker blocker(w);
    switch (property) {
    case Property::Text:
        refreshText(element, w);
        break;
    case Property::Value:
    case Property::Range:
        refreshValue(element, w);
        break;
    case Property::Enabled:
        w->setEnabled(element.enabled);
        break;
    case Property::Visible:
        w->setHidden(!element.visible);
        if (binding.tail) binding.tail->setHidden(!element.visible);
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
    case Property::Items:
    case Property::Selected:
        refreshItems(element, w);
        break;
    case Property::Picture:
        if (auto* box = as<PictureBox>(w)) refreshPicture(element, box);
        break;
    case Property::Panels:
        refreshPanels(element, binding);
        break;
    case Property::Buttons:
        refreshButtons(element, binding);
        break;
    case Property::Timer:
        break;
    }
}

// The model says which picture is shown; the box shows its pixels once they are decoded and keeps what
// it showed until then. A picture the model has moved past by the time it is decoded never shows.
void WidgetSurface::refreshPicture(const Element& element, PictureBox* box) {
    if (!element.picture) {
        box->setPicture(false, QImage());
        return;
    }
    if (const QImage* image = pictureImage(*element.picture)) {
        box->setPicture(true, *image);
        return;
    }
    // A picture known only by its size has nothing to paint, now or later.
    box->setPicture(true, element.picture->image ? box->image() : QImage());
    if (!element.picture->image) return;
    whenDecoded(*element.picture, box,
                [this, box, id = element.id, shown = std::weak_ptr<const void>(element.picture->image)] {
                    const auto& now = surface_.get(id).picture;
                    if (!now || now->image != shown.lock()) return;
                    if (const QImage* image = pictureImage(*now)) box->setPicture(true, *image);
                });
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

void WidgetSurface::refreshText(const Element& element, QWidget* w) {
    QString text = shownText(element.id, element.text);
    if (auto* box = as<QGroupBox>(w)) {
        box->setTitle(text);
    } else if (auto* label = as<QLabel>(w)) {
        // The whole caption, for whoever reads it back; a framing caption shows it in two halves.
        label->setProperty(kCaption, text);
        QLabel* tail = bindingOf(element.id).tail;
        const qsizetype gap = text.indexOf(QLatin1String(kGap.data(), static_cast<qsizetype>(kGap.size())));
        if (tail && gap >= 0) {
            label->setText(text.left(gap).trimmed());
            tail->setText(text.mid(gap).trimmed());
        } else {
            label->setText(text);
        }
        place(element, label);
    } else if (auto* edit = as<QLineEdit>(w)) {
        if (edit->text() != text) edit->setText(text);
    } else if (auto* lines = as<QPlainTextEdit>(w)) {
        QString shown = multiLineToQt(element.text);
        if (lines->toPlainText() != shown) lines->setPlainText(shown);
    } else if (auto* combo = as<QComboBox>(w)) {
        if (combo->currentText() != text) combo->setEditText(text);
    } else if (auto* button = as<QAbstractButton>(w)) {
        button->setText(text);
    }
}

void WidgetSurface::refreshValue(const Element& element, QWidget* w) {
    if (auto* spin = as<ArrowSpin>(w)) {
        spin->setRange(element.min, element.max);
        spin->setValue(element.value);
    } else if (auto* radio = as<QRadioButton>(w)) {
        radio->setChecked(element.value != 0);
    } else if (auto* box = as<QCheckBox>(w)) {
        box->setCheckState(checkStateOf(element.value));
    }
}

void WidgetSurface::refreshItems(const Element& element, QWidget* w) {
    if (auto* combo = as<QComboBox>(w)) {
        QStringList items;
        for (const std::string& item : element.items)
            items << toQt(item);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        if (shown != items) {
            combo->clear();
            combo->addItems(items);
        }
        if (combo->currentIndex() != element.selected) combo->setCurrentIndex(element.selected);
        // Choosing an entry rewrites the edit line; the model's text is what it shows.
        if (combo->currentText() != toQt(element.text)) combo->setEditText(toQt(element.text));
    } else if (auto* tabs = as<TabPages>(w)) {
        int count = std::min(tabs->count(), static_cast<int>(element.items.size()));
        for (int i = 0; i < count; ++i)
            tabs->setTabText(i, toQt(element.items[static_cast<std::size_t>(i)]));
        if (element.selected >= 0 && element.selected < tabs->count() &&
            tabs->currentIndex() != element.selected)
            tabs->setCurrentIndex(element.selected);
    }
}

void WidgetSurface::refreshPanels(const Element& element, Binding& binding) {
    auto* bar = as<QStatusBar>(binding.widget);
    if (!bar) return;
    if (binding.panels.size() != element.panels.size()) {
        for (QLabel* label : binding.panels) {
            bar->removeWidget(label);
            delete label;
        }
        binding.panels.clear();
        for (std::size_t i = 0; i < element.panels.size(); ++i) {
            auto* label = new QLabel(bar);
            label->setTextFormat(Qt::PlainText);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setObjectName(toQt(element.name + "." + std::to_string(i + 1)));
            bar->addWidget(label);
            binding.panels.push_back(label);
        }
    }
    for (std::size_t i = 0; i < element.panels.size(); ++i) {
        const StatusPanel& model = element.panels[i];
        QLabel* label = binding.panels[i];
        label->setText(toQt(model.text));
        label->setProperty(kTag, toQt(model.tag));
        label->setMinimumWidth(std::max(1, px(model.minWidth)));
    }
}

void WidgetSurface::refreshButtons(const Element& element, Binding& binding) {
    auto* target = as<QToolBar>(binding.widget);
    if (!target) return;
    if (binding.actions.size() != element.buttons.size()) {
        for (QAction* action : binding.actions)
            delete action;
        binding.actions.clear();
        for (const ToolButton& button : element.buttons) {
            QAction* action =
                target->addAction(toolbarIcon(element.id, button.key, target->style()), toQt(button.key));
            action->setObjectName(toQt(button.key));
            action->setProperty("key", toQt(button.key));
            action->setCheckable(button.twoState);
            connect(action, &QAction::triggered, this, [this, id = element.id, key = button.key] {
                forward(id, [&] { surface_.userClickTool(id, key); });
            });
            // A button passes the moves it does not use on to its toolbar, which hands them on.
            if (QWidget* tool = target->widgetForAction(action)) tool->setMouseTracking(true);
            binding.actions.push_back(action);
        }
    }
    for (std::size_t i = 0; i < element.buttons.size(); ++i) {
        const ToolButton& button = element.buttons[i];
        QAction* action = binding.actions[i];
        QSignalBlocker blocker(action);
        action->setToolTip(toQt(button.toolTip));
        action->setStatusTip(toQt(button.description));
        if (button.twoState) action->setChecked(button.pressed);
    }
}

void WidgetSurface::refreshTimer(const Element& element, QTimer* timer) {
    timer->setInterval(element.interval);
    if (!element.timerEnabled) {
        timer->stop();
    } else if (!timer->isActive()) {
        timer->start();
    }
}

} // namespace pelmark
