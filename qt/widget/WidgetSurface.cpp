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

constexpr const char* kElementName = "pelmarkElement";
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
constexpr std::pair<std::string_view, std::string_view> kSteppedFields[] = {{"ActPictNum", "UpDown1"}};

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

    for (const std::string& name : surface_.names())
        create(surface_.get(name));
    splitGapCaptions();
    stackSiblings();
    orderTabStops();
    for (auto [field, spin] : kSteppedFields) {
        if (QWidget* w = widget(field)) {
            w->setProperty(kStepsSpin, toQt(std::string(spin)));
            w->installEventFilter(this);
        }
    }

    // Whatever size the host is given goes to the model, which decides what becomes of it.
    host->installEventFilter(this);

    observer_ =
        surface_.addObserver([this](const std::string& name, Property property) { refresh(name, property); });
}

WidgetSurface::~WidgetSurface() {
    surface_.removeObserver(observer_);
    // The widgets go first, while the model they report to still listens to nobody.
    for (auto& [name, binding] : bindings_) {
        if (binding.timer) binding.timer->stop();
        if (binding.widget) binding.widget->disconnect(this);
    }
    if (!host_) return;
    for (auto& [name, binding] : bindings_) {
        const Element& element = surface_.get(name);
        if (element.container.empty() && binding.widget) delete binding.widget;
    }
}

int WidgetSurface::px(int twips) const {
    return twipsToPixels(twips, dpiX_);
}

int WidgetSurface::py(int twips) const {
    return twipsToPixels(twips, dpiY_);
}

QWidget* WidgetSurface::widget(std::string_view name) const {
    auto it = bindings_.find(name);
    return it == bindings_.end() ? nullptr : it->second.widget;
}

QTimer* WidgetSurface::timer(std::string_view name) const {
    auto it = bindings_.find(name);
    return it == bindings_.end() ? nullptr : it->second.timer;
}

QAction* WidgetSurface::toolAction(std::string_view toolbar, std::string_view key) const {
    auto it = bindings_.find(toolbar);
    if (it == bindings_.end()) return nullptr;
    for (QAction* action : it->second.actions)
        if (action->property("key").toString() == toQt(std::string(key))) return action;
    return nullptr;
}

QLabel* WidgetSurface::panel(std::string_view statusBar, int index) const {
    auto it = bindings_.find(statusBar);
    if (it == bindings_.end() || index < 1 || index > static_cast<int>(it->second.panels.size()))
        return nullptr;
    return it->second.panels[static_cast<std::size_t>(index - 1)];
}

QWidget* WidgetSurface::parentFor(const Element& element) {
    if (element.container.empty() || !surface_.has(element.container)) return host_;
    if (!bindings_.contains(element.container)) create(surface_.get(element.container));
    QWidget* container = widget(element.container);
    if (!container) return host_;
    if (auto* tabs = as<TabPages>(container)) {
        QWidget* page = tabs->widget(element.page);
        return page ? page : container;
    }
    return container;
}

void WidgetSurface::create(const Element& element) {
    if (bindings_.contains(element.name)) return;
    Binding& binding = bindings_[element.name];
    if (element.kind == ElementKind::Control) {
        refreshAll(element.name);
        return;
    }
    if (element.kind == ElementKind::Timer) {
        binding.timer = new QTimer(this);
        binding.timer->setObjectName(toQt(element.name));
        connect(binding.timer, &QTimer::timeout, this,
                [this, name = element.name] { forward(name, [&] { surface_.timerFires(name); }); });
        refreshTimer(element, binding.timer);
        return;
    }
    QWidget* widget = createWidget(element, binding);
    if (!widget) return;
    binding.widget = widget;
    widget->setObjectName(toQt(element.name));
    widget->setProperty(kElementName, toQt(element.name));
    // Fields carry no caption of their own: a screen reader names them by their element.
    if (element.kind == ElementKind::TextField || element.kind == ElementKind::ComboBox ||
        element.kind == ElementKind::PictureBox)
        widget->setAccessibleName(toQt(element.name));
    applyStyle(element, widget);
    refreshAll(element.name);
}

QWidget* WidgetSurface::createWidget(const Element& element, Binding& binding) {
    const std::string name = element.name;
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
            connect(edit, &QPlainTextEdit::textChanged, this, [this, name, edit] {
                forward(name, [&] { surface_.userSetText(name, fromQt(edit->toPlainText())); });
            });
            return edit;
        } else {
            auto* edit = new QLineEdit(parent);
            // The model's texts have no length limit; Qt's line edit would cut them at 32767.
            edit->setMaxLength(std::numeric_limits<int>::max());
            connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
                forward(name, [&] { surface_.userSetText(name, typedText(name, text)); });
            });
            return edit;
        }
    case ElementKind::PushButton: {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, name] { forward(name, [&] { surface_.userClick(name); }); });
        return button;
    }
    case ElementKind::CheckBox: {
        auto* box = new ModelCheckBox(parent);
        box->setTristate(true);
        box->onUserClick([this, name] { forward(name, [&] { surface_.userClick(name); }); });
        // A state set on the box from outside a click (a script, an accessibility tool) is the user's too.
        connect(box, &QCheckBox::stateChanged, this, [this, name](int state) {
            forward(name,
                    [&] { surface_.userSetValue(name, checkValueOf(static_cast<Qt::CheckState>(state))); });
        });
        return box;
    }
    case ElementKind::OptionButton: {
        auto* option = new ModelRadioButton(parent);
        // The model keeps the options of a frame exclusive; Qt's own rule would refuse to clear one.
        option->setAutoExclusive(false);
        option->onUserClick([this, name] { forward(name, [&] { surface_.userClick(name); }); });
        return option;
    }
    case ElementKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, name](const QString& text) {
            forward(name, [&] { surface_.userSetText(name, fromQt(text)); });
        });
        connect(combo, &QComboBox::textActivated, this, [this, name](const QString& text) {
            forward(name, [&] { surface_.userSetText(name, fromQt(text)); });
        });
        return combo;
    }
    case ElementKind::PictureBox: {
        auto* box = new PictureBox(parent);
        box->onDrop([this, name](std::optional<std::vector<std::string>> files) {
            forward(name, [&] { surface_.userDrop(name, std::move(files)); });
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
        tabs->onLayout([this, name] { placeTabPages(name); });
        connect(tabs, &QTabWidget::currentChanged, this,
                [this, name](int index) { forward(name, [&] { surface_.setSelected(name, index); }); });
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
        spin->onStep([this, name](int value) { forward(name, [&] { surface_.userSetValue(name, value); }); });
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
    for (const std::string& name : surface_.names()) {
        const Element& element = surface_.get(name);
        if (QWidget* w = widget(name))
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
    if (surface_.has(element.container)) {
        if (auto* tabs = as<TabPages>(this->widget(element.container)))
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
    auto it = bindings_.find(element.name);
    if (it != bindings_.end() && it->second.tail) {
        // The caption sits on the line of the field it frames, its text level with the field's.
        const Element& field = surface_.get(it->second.gapField);
        widget->setGeometry(px(element.left) - offset.x(), py(field.top) - offset.y(), width,
                            py(field.height));
        placeTail(element, it->second, offset);
        return;
    }
    if (it != bindings_.end() && !it->second.follows.empty()) {
        const Binding& caption = bindings_.at(it->second.follows);
        const Element& field = surface_.get(caption.gapField);
        widget->setGeometry(caption.tail->geometry().right() + 1, py(field.top) - offset.y(), width,
                            py(field.height));
        if (auto* label = as<QLabel>(widget)) label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return;
    }
    int left = px(element.left) - offset.x();
    if (it != bindings_.end() && !it->second.framedBy.empty()) {
        // A field framed by a caption starts after the caption's first words, should the font draw
        // them wider than the blanks before the field were meant for.
        if (auto* label = as<QLabel>(this->widget(it->second.framedBy)))
            left = std::max(left, label->x() + label->fontMetrics().horizontalAdvance(label->text()) + 3);
    }
    widget->setGeometry(left, py(element.top) - offset.y(), width, py(element.height));
}

void WidgetSurface::placeTail(const Element& label, const Binding& binding, QPoint offset) {
    const Element& field = surface_.get(binding.gapField);
    // A little air after the field's frame, wherever the field ended up.
    QWidget* fieldWidget = widget(binding.gapField);
    const int left =
        fieldWidget ? fieldWidget->geometry().right() + 3 : px(field.left + field.width) + 2 - offset.x();
    binding.tail->setGeometry(left, py(field.top) - offset.y(), binding.tail->sizeHint().width(),
                              py(field.height));
    binding.tail->setHidden(!label.visible);
    if (!binding.follower.empty()) refresh(binding.follower, Property::Geometry);
}

int WidgetSurface::coveredRight(const Element& bar) const {
    int right = 0;
    for (const std::string& name : surface_.names()) {
        const Element& other = surface_.get(name);
        QWidget* w = widget(name);
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
    for (const std::string& name : surface_.names()) {
        const Element& label = surface_.get(name);
        if (label.kind != ElementKind::Label || label.text.find(kGap) == std::string::npos) continue;
        for (const std::string& other : surface_.names()) {
            const Element& field = surface_.get(other);
            const bool isField = field.kind == ElementKind::TextField || field.kind == ElementKind::ComboBox;
            const bool inRow = field.top < label.top + label.height && label.top < field.top + field.height;
            const bool inRun = field.left > label.left && field.left < label.left + label.width;
            if (!isField || field.container != label.container || field.page != label.page || !inRow ||
                !inRun)
                continue;
            Binding& binding = bindings_[name];
            if (!binding.widget) break;
            binding.gapField = other;
            binding.tail = new QLabel(binding.widget->parentWidget());
            binding.tail->setTextFormat(Qt::PlainText);
            binding.tail->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            binding.tail->setObjectName(toQt(name) + QStringLiteral("Tail"));
            as<QLabel>(binding.widget)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            bindings_[other].framedBy = name;
            // A label that starts where the caption ends, on its row, continues the caption's line.
            for (const std::string& next : surface_.names()) {
                const Element& after = surface_.get(next);
                if (after.kind == ElementKind::Label && after.container == label.container &&
                    after.page == label.page && after.top == label.top &&
                    std::abs(after.left - (label.left + label.width)) <= 30) {
                    auto found = bindings_.find(next);
                    if (found == bindings_.end() || !found->second.widget) continue;
                    binding.follower = next;
                    found->second.follows = name;
                }
            }
            refreshAll(name);
            refresh(other, Property::Geometry); // after the caption's first words
            refresh(name, Property::Geometry);  // the tail after the field
            break;
        }
    }
    // The bars that other labels lie over are placed again, now that those labels exist.
    for (const std::string& name : surface_.names())
        if (surface_.get(name).style.background == Background::Red) refresh(name, Property::Geometry);
}

void WidgetSurface::placeTabPages(const std::string& tabStrip) {
    for (const std::string& name : surface_.names()) {
        const Element& element = surface_.get(name);
        QWidget* w = widget(name);
        if (w && element.container == tabStrip) place(element, w);
    }
}

void WidgetSurface::hostResized(QSize pixels) {
    const Element& control = surface_.get(Surface::kControl);
    if (pixels == QSize(px(control.width), py(control.height))) return;
    forward(Surface::kControl, [&] {
        surface_.hostResize(pixelsToTwips(pixels.width(), dpiX_), pixelsToTwips(pixels.height(), dpiY_));
    });
}

void WidgetSurface::forward(const std::string& name, const std::function<void()>& action) {
    // The action may end in the host deleting the control, and this surface with it.
    QPointer<WidgetSurface> self(this);
    try {
        action();
    } catch (...) {
        if (failureSink_) failureSink_(std::current_exception());
    }
    if (self) refreshAll(name);
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
    std::vector<std::string> containers;
    std::vector<Stop> stops;
    for (const std::string& name : surface_.names()) {
        const Element& element = surface_.get(name);
        QWidget* w = widget(name);
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
        const QString spinName = watched->property(kStepsSpin).toString();
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Left and Right stay the field's own: they move the cursor.
        const int step = key == Qt::Key_Left || key == Qt::Key_Right ? 0 : ArrowSpin::stepOfKey(key);
        if (!spinName.isEmpty() && step != 0) {
            if (auto* spin = as<ArrowSpin>(widget(fromQt(spinName)))) spin->request(spin->value() + step);
            return true;
        }
    }
    if (watched == host_ && event->type() == QEvent::Resize) {
        hostResized(static_cast<QResizeEvent*>(event)->size());
    } else if (event->type() == QEvent::MouseMove) {
        QString name = watched->property(kElementName).toString();
        if (!name.isEmpty()) {
            std::string element = fromQt(name);
            forward(element, [&] { surface_.userMouseMove(element); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void WidgetSurface::refreshAll(const std::string& name) {
    // A widget shows its element's whole state from the moment it exists. It is placed before it is
    // shown: Qt sizes a widget shown without a size of its own to its text, only to be placed after.
    const bool applying = std::exchange(applying_, true);
    for (Property property :
         {Property::Items, Property::Text, Property::Value, Property::Range, Property::Selected,
          Property::Enabled, Property::Geometry, Property::Visible, Property::ToolTip, Property::Tag,
          Property::Picture, Property::Panels, Property::Buttons, Property::Timer})
        refresh(name, property);
    applying_ = applying;
}

void WidgetSurface::refresh(const std::string& name, Property property) {
    auto it = bindings_.find(name);
    if (it == bindings_.end()) return;
    Binding& binding = it->second;
    if (binding.widget && !applying_) {
        if (const std::optional<Property> waiting = waitsForPass(binding.widget, property)) {
            const auto bit = 1u << static_cast<unsigned>(*waiting);
            if (!(binding.pending & bit)) {
                binding.pending |= bit;
                pending_.emplace_back(name, *waiting);
            }
            if (!applyQueued_) {
                applyQueued_ = true;
                QMetaObject::invokeMethod(this, &WidgetSurface::applyPending, Qt::QueuedConnection);
            }
            return;
        }
    }
    const Element& element = surface_.get(name);

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
        w->setToolTip(shownText(element.name, element.toolTip));
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
                [this, box, name = element.name, shown = std::weak_ptr<const void>(element.picture->image)] {
                    const auto& now = surface_.get(name).picture;
                    if (!now || now->image != shown.lock()) return;
                    if (const QImage* image = pictureImage(*now)) box->setPicture(true, *image);
                });
}

void WidgetSurface::applyPending() {
    applyQueued_ = false;
    const std::vector<std::pair<std::string, Property>> pending = std::exchange(pending_, {});
    applying_ = true;
    for (const auto& [name, property] : pending) {
        bindings_.at(name).pending = 0;
        refresh(name, property);
    }
    applying_ = false;
}

void WidgetSurface::refreshText(const Element& element, QWidget* w) {
    QString text = shownText(element.name, element.text);
    if (auto* box = as<QGroupBox>(w)) {
        box->setTitle(text);
    } else if (auto* label = as<QLabel>(w)) {
        // The whole caption, for whoever reads it back; a framing caption shows it in two halves.
        label->setProperty(kCaption, text);
        auto it = bindings_.find(element.name);
        const qsizetype gap = text.indexOf(QLatin1String(kGap.data(), static_cast<qsizetype>(kGap.size())));
        if (it != bindings_.end() && it->second.tail && gap >= 0) {
            label->setText(text.left(gap).trimmed());
            it->second.tail->setText(text.mid(gap).trimmed());
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
                target->addAction(toolbarIcon(element.name, button.key, target->style()), toQt(button.key));
            action->setObjectName(toQt(button.key));
            action->setProperty("key", toQt(button.key));
            action->setCheckable(button.twoState);
            connect(action, &QAction::triggered, this, [this, name = element.name, key = button.key] {
                forward(name, [&] { surface_.userClickTool(name, key); });
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
