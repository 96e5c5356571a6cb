#include "console/WidgetDriver.h"

#include "console/ByteJson.h"
#include "console/HeadlessDriver.h"
#include "control/VeltoraControl.h"
#include "qtplatform/Twips.h"
#include "widget/WidgetSurface.h"
#include "widget/adapters/WidgetAdapter.h"

#include <QCoreApplication>
#include <QResizeEvent>

namespace pelmark::console {

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

template <typename Action>
bool WidgetDriver::passingFailures(Action action) {
    failure_ = nullptr;
    const bool done = action();
    if (auto failure = std::exchange(failure_, nullptr)) std::rethrow_exception(failure);
    return done;
}

template <typename Action>
bool WidgetDriver::act(const std::optional<ElementAddress>& address, Action action) {
    widgets_->applyPending(); // a person sees the widgets as the model has them
    if (!address || address->kind != ElementAddress::Kind::Element) return false;
    const WidgetAdapter* adapter = adapterFor(control_.surface().get(address->element).kind);
    QObject* shown = widgets_->shown(address->element);
    if (!adapter || !shown) return false;
    return passingFailures([&] { return action(*adapter, shown); });
}

// Each action is made on the widget where a person could make it; else it goes to the model as the
// headless driver sends it, which also refuses what no user could do.
void WidgetDriver::set(const std::string& name, const Json& value) {
    auto address = resolveAddress(control_.surface(), name);
    if (!address || address->kind != ElementAddress::Kind::Element) return model_->set(name, value);
    const Element& element = control_.surface().get(address->element);
    const UserEdit edit = userEditOf(element, value, name);
    if (!act(address, [&](const WidgetAdapter& adapter, QObject* shown) {
            return edit.typed ? adapter.type(shown, element, edit.text) : adapter.choose(shown, edit.value);
        }))
        applyEdit(control_.surface(), element, edit);
}

Json WidgetDriver::get(const std::string& name, const std::string& property) {
    widgets_->applyPending(); // a person sees the widgets as the model has them
    auto address = resolveAddress(control_.surface(), name);
    if (!address) return model_->get(name, property);
    Element shown = control_.surface().get(address->element);
    widgets_->readBack(shown);
    return propertyOf(shown, *address, property);
}

void WidgetDriver::click(const std::string& name) {
    auto address = resolveAddress(control_.surface(), name);
    if (address && address->kind == ElementAddress::Kind::Button)
        return clickTool(std::string(elementName(address->element)), address->key);
    if (!act(address, [](const WidgetAdapter& adapter, QObject* shown) { return adapter.click(shown); }))
        model_->click(name);
}

void WidgetDriver::clickTool(const std::string& toolbar, const std::string& key) {
    if (!act(resolveAddress(control_.surface(), toolbar),
             [&](const WidgetAdapter& adapter, QObject* shown) { return adapter.clickTool(shown, key); }))
        model_->clickTool(toolbar, key);
}

void WidgetDriver::mouseMove(const std::string& name) {
    if (!act(resolveAddress(control_.surface(), name),
             [](const WidgetAdapter& adapter, QObject* shown) { return adapter.moveMouse(shown); }))
        model_->mouseMove(name);
}

void WidgetDriver::timer(const std::string& name) {
    if (!act(resolveAddress(control_.surface(), name),
             [](const WidgetAdapter& adapter, QObject* shown) { return adapter.fire(shown); }))
        model_->timer(name);
}

void WidgetDriver::drop(std::optional<std::vector<std::string>> files) {
    const ElementAddress box{ElementAddress::Kind::Element, ElementId::Bild, 0, {}};
    if (!act(box, [&](const WidgetAdapter& adapter, QObject* shown) { return adapter.drop(shown, files); }))
        model_->drop(std::move(files));
}

void WidgetDriver::resize(int width, int height) {
    widgets_->applyPending(); // a person sees the widgets as the model has them
    // A host that forces a size on the control: the widget reports it to the model as its resize.
    passingFailures([&] {
        QSize pixels(twipsToPixels(width, widgets_->dpiX()), twipsToPixels(height, widgets_->dpiY()));
        QResizeEvent resized(pixels, host_->size());
        return QCoreApplication::sendEvent(host_.get(), &resized);
    });
}

std::unique_ptr<SurfaceDriver> makeWidgetDriver(VeltoraControl& control) {
    return std::make_unique<WidgetDriver>(control);
}

} // namespace pelmark::console
