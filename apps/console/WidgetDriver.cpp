#include "console/WidgetDriver.h"

#include "base/Error.h"
#include "console/ByteJson.h"
#include "console/ElementAddress.h"
#include "control/VeltoraControl.h"
#include "qtplatform/Latin1Text.h"
#include "qtplatform/Twips.h"
#include "widget/ArrowSpin.h"
#include "widget/ModelButtons.h"
#include "widget/PictureBox.h"
#include "widget/ShownText.h"
#include "widget/WidgetSurface.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QTimerEvent>
#include <QToolBar>
#include <QUrl>
#include <cmath>

namespace pelmark::console {

namespace {

// A multi-line field shows the model's line ends as line feeds; when that is all that differs, it
// shows the model's text.
std::string multiLineText(QPlainTextEdit* lines, const std::string& modelText) {
    QString shown = lines->toPlainText();
    return shown == multiLineToQt(modelText) ? modelText : fromQt(shown);
}

// What a widget shows as its text or caption.
std::optional<std::string> widgetText(QWidget* w, const Element& element) {
    if (auto* lines = qobject_cast<QPlainTextEdit*>(w)) return multiLineText(lines, element.text);
    if (auto* box = qobject_cast<QGroupBox*>(w)) return fromQt(box->title());
    // A caption that frames a field shows in two halves; the label keeps it whole.
    if (auto* label = qobject_cast<QLabel*>(w)) return fromQt(label->property("caption").toString());
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        // A path the file-name decoding cannot carry (not UTF-8) shows replaced; the model has its bytes.
        QString shown = edit->text();
        return shown == shownText(element.id, element.text) ? element.text : typedText(element.id, shown);
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) return fromQt(combo->currentText());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return fromQt(button->text());
    return std::nullopt;
}

std::optional<Json> widgetItems(QWidget* w) {
    Json items = Json::array();
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < combo->count(); ++i)
            items.push_back(fromQt(combo->itemText(i)));
        return items;
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < tabs->count(); ++i)
            items.push_back(fromQt(tabs->tabText(i)));
        return items;
    }
    return std::nullopt;
}

std::optional<int> widgetSelection(QWidget* w) {
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentIndex();
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) return tabs->currentIndex();
    return std::nullopt;
}

// The user types `text` over whatever the line holds, as one edit.
void typeOver(QLineEdit* edit, ElementId element, const std::string& text) {
    edit->selectAll();
    edit->insert(shownText(element, text));
}

std::string textOf(const Json& value) {
    return value.is_string() ? value.get<std::string>() : writeByteJson(value);
}

} // namespace

WidgetDriver::WidgetDriver(VeltoraControl& control)
    : control_(control), model_(makeHeadlessDriver(control)), host_(std::make_unique<QWidget>()) {
    // The widgets are never shown: user actions and read-backs need no screen.
    widgets_ = std::make_unique<WidgetSurface>(control.surface(), host_.get());
    widgets_->setFailureSink([this](std::exception_ptr failure) {
        if (!failure_) failure_ = failure;
    });
}

WidgetDriver::~WidgetDriver() {
    widgets_.reset();
}

QWidget* WidgetDriver::elementWidget(const std::optional<ElementAddress>& address) const {
    if (!address || address->kind != ElementAddress::Kind::Element) return nullptr;
    return widgets_->widget(address->element);
}

template <typename Action>
void WidgetDriver::act(Action action) {
    failure_ = nullptr;
    action();
    if (auto failure = std::exchange(failure_, nullptr)) std::rethrow_exception(failure);
}

void WidgetDriver::set(const std::string& name, const Json& value) {
    widgets_->applyPending(); // a person sees the widgets as the model has them
    auto address = resolveAddress(control_.surface(), name);
    QWidget* w = elementWidget(address);
    // What the user cannot do on a widget, or gets wrong, the model answers as it does headless.
    // A path that is no file name (not UTF-8) no person can type: the model takes it as headless.
    const bool typeable =
        !w || !value.is_string() ||
        typedText(address->element, shownText(address->element, value.get<std::string>())) ==
            value.get<std::string>();
    if (auto* edit = qobject_cast<QLineEdit*>(w);
        edit && typeable && (value.is_string() || value.is_number()))
        return act([&] { typeOver(edit, address->element, textOf(value)); });
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && (value.is_string() || value.is_number()))
        return act([&] { typeOver(combo->lineEdit(), address->element, textOf(value)); });
    // Qt's multi-line field keeps line feeds only: a text with carriage returns is one that no person
    // could type into it.
    if (auto* lines = qobject_cast<QPlainTextEdit*>(w);
        lines && value.is_string() && value.get<std::string>().find('\r') == std::string::npos)
        return act([&] { lines->setPlainText(toQt(value.get<std::string>())); });
    bool wholeNumber = value.is_number() && std::floor(value.get<double>()) == value.get<double>();
    if (auto* spin = qobject_cast<ArrowSpin*>(w); spin && wholeNumber && std::fabs(value.get<double>()) < 1e9)
        return act([&] { spin->request(value.get<int>()); });
    if (auto* box = qobject_cast<QCheckBox*>(w); box && wholeNumber) {
        int state = value.get<int>();
        if (state >= 0 && state <= 2) return act([&] { box->setCheckState(checkStateOf(state)); });
    }
    if (auto* option = qobject_cast<QRadioButton*>(w);
        option && value.is_boolean() && value.get<bool>() && option->isEnabled())
        return act([&] { option->click(); });
    model_->set(name, value);
}

Json WidgetDriver::get(const std::string& name, const std::string& property) {
    widgets_->applyPending(); // a person sees the widgets as the model has them
    // The model's answer checks the name and the property exactly as headless; the widget then says
    // what it shows.
    Json answer = model_->get(name, property);
    auto address = resolveAddress(control_.surface(), name);
    if (!address) return answer;
    const Element& element = control_.surface().get(address->element);

    if (address->kind == ElementAddress::Kind::Panel) {
        QLabel* panel = widgets_->panel(address->element, address->panel);
        if (!panel) return answer;
        if (property == "value" || property == "text" || property == "caption") return fromQt(panel->text());
        if (property == "tag") return fromQt(panel->property("tag").toString());
        return answer;
    }
    if (address->kind == ElementAddress::Kind::Button) {
        QAction* action = widgets_->toolAction(address->element, address->key);
        if (!action) return answer;
        if (property == "value" || property == "pressed") return action->isChecked();
        if (property == "caption" || property == "text") return fromQt(action->statusTip());
        if (property == "tooltip") return fromQt(action->toolTip());
        return answer;
    }

    if (QTimer* t = widgets_->timer(address->element)) {
        if (property == "value") return t->isActive();
        return answer;
    }
    QWidget* w = widgets_->widget(address->element);
    if (!w) return answer;
    if (property == "value") {
        if (auto* spin = qobject_cast<ArrowSpin*>(w)) return spin->value();
        if (auto* option = qobject_cast<QRadioButton*>(w)) return option->isChecked();
        if (auto* box = qobject_cast<QCheckBox*>(w)) return checkValueOf(box->checkState());
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) return tabs->currentIndex();
        if (auto* picture = qobject_cast<PictureBox*>(w)) return picture->hasPicture();
        if (qobject_cast<QStatusBar*>(w)) {
            Json texts = Json::array();
            for (int i = 1; QLabel* panel = widgets_->panel(address->element, i); ++i)
                texts.push_back(fromQt(panel->text()));
            return texts;
        }
        if (element.kind == ElementKind::Toolbar) return answer;
        if (auto text = widgetText(w, element)) return *text;
        return answer;
    }
    if (property == "caption" || property == "text") {
        if (auto text = widgetText(w, element)) return *text;
        return answer;
    }
    if (property == "enabled") return !w->testAttribute(Qt::WA_ForceDisabled);
    if (property == "visible") return !w->isHidden();
    if (property == "left" || property == "top" || property == "width" || property == "height") {
        QRect twips = w->property("twipGeometry").toRect();
        if (property == "left") return twips.x();
        if (property == "top") return twips.y();
        if (property == "width") return twips.width();
        return twips.height();
    }
    if (property == "tooltip") {
        QString shown = w->toolTip();
        return shown == shownText(element.id, element.toolTip) ? element.toolTip
                                                               : typedText(element.id, shown);
    }
    if (property == "tag") return fromQt(w->property("tag").toString());
    if (property == "max") {
        if (auto* spin = qobject_cast<ArrowSpin*>(w)) return spin->maximum();
        return answer;
    }
    if (property == "items") return widgetItems(w).value_or(answer);
    if (property == "selected") {
        if (auto selection = widgetSelection(w)) return *selection;
        return answer;
    }
    if (property == "picture") {
        if (auto* picture = qobject_cast<PictureBox*>(w)) return picture->hasPicture();
        return answer;
    }
    return answer;
}

void WidgetDriver::click(const std::string& name) {
    widgets_->applyPending(); // a person sees the widgets as the model has them
    auto address = resolveAddress(control_.surface(), name);
    if (address && address->kind == ElementAddress::Kind::Button)
        return clickTool(std::string(elementName(address->element)), address->key);
    QWidget* w = elementWidget(address);
    auto* button = qobject_cast<QAbstractButton*>(w);
    // A disabled button takes no click from a person; the model still hears it, as it does headless.
    if (button && button->isEnabled()) return act([&] { button->click(); });
    model_->click(name);
}

void WidgetDriver::clickTool(const std::string& toolbar, const std::string& key) {
    widgets_->applyPending(); // a person sees the widgets as the model has them
    QAction* action = widgets_->toolAction(toolbar, key);
    if (action && action->isEnabled()) return act([&] { action->trigger(); });
    model_->clickTool(toolbar, key);
}

void WidgetDriver::mouseMove(const std::string& name) {
    widgets_->applyPending(); // a person sees the widgets as the model has them
    QWidget* w = elementWidget(resolveAddress(control_.surface(), name));
    // Only the toolbars listen to the mouse; everything else hears of it through the model.
    if (!qobject_cast<QToolBar*>(w)) return model_->mouseMove(name);
    act([&] {
        QPointF inside(w->width() / 2.0, w->height() / 2.0);
        QMouseEvent move(QEvent::MouseMove, inside, w->mapToGlobal(inside), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(w, &move);
    });
}

void WidgetDriver::timer(const std::string& name) {
    widgets_->applyPending(); // a person sees the widgets as the model has them
    auto address = resolveAddress(control_.surface(), name);
    QTimer* t = address && address->kind == ElementAddress::Kind::Element ? widgets_->timer(address->element)
                                                                          : nullptr;
    // A timer that is not running cannot fire on its own; the model hears it anyway, as headless.
    if (!t || !t->isActive()) return model_->timer(name);
    act([&] {
        QTimerEvent tick(t->timerId());
        QCoreApplication::sendEvent(t, &tick);
    });
}

void WidgetDriver::drop(std::optional<std::vector<std::string>> files) {
    widgets_->applyPending(); // a person sees the widgets as the model has them
    QWidget* box = widgets_->widget(ElementId::Bild);
    if (!box) return model_->drop(std::move(files));
    act([&] {
        QMimeData data;
        if (files) {
            QList<QUrl> urls;
            for (const std::string& file : *files)
                urls << QUrl::fromLocalFile(pathToQt(file));
            data.setUrls(urls);
        } else {
            data.setText(QStringLiteral("no files"));
        }
        QPoint inside(box->width() / 2, box->height() / 2);
        QDragEnterEvent enter(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &enter);
        QDropEvent dropped(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &dropped);
    });
}

void WidgetDriver::resize(int width, int height) {
    widgets_->applyPending(); // a person sees the widgets as the model has them
    // A host that forces a size on the control: the widget reports it to the model as its resize.
    act([&] {
        QSize pixels(twipsToPixels(width, widgets_->dpiX()), twipsToPixels(height, widgets_->dpiY()));
        QResizeEvent resized(pixels, host_->size());
        QCoreApplication::sendEvent(host_.get(), &resized);
    });
}

std::unique_ptr<SurfaceDriver> makeWidgetDriver(VeltoraControl& control) {
    return std::make_unique<WidgetDriver>(control);
}

} // namespace pelmark::console
