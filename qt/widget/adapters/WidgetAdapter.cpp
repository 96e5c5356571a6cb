#include "widget/adapters/WidgetAdapter.h"

namespace pelmark {

void WidgetAdapter::show(const Element&, Property, QObject*, WidgetSurface&) const {}

std::optional<Property> WidgetAdapter::deferredAs(Property property) const {
    if (property == Property::Enabled) return property;
    return std::nullopt;
}

void WidgetAdapter::read(QObject*, Element&) const {}

bool WidgetAdapter::type(QObject*, const Element&, const std::string&) const {
    return false;
}

bool WidgetAdapter::choose(QObject*, int) const {
    return false;
}

bool WidgetAdapter::click(QObject*) const {
    return false;
}

bool WidgetAdapter::clickTool(QObject*, const std::string&) const {
    return false;
}

bool WidgetAdapter::moveMouse(QObject*) const {
    return false;
}

bool WidgetAdapter::fire(QObject*) const {
    return false;
}

bool WidgetAdapter::drop(QObject*, const std::optional<std::vector<std::string>>&) const {
    return false;
}

const WidgetAdapter* adapterFor(ElementKind kind) {
    switch (kind) {
    case ElementKind::Frame:
        return &frameAdapter();
    case ElementKind::Label:
        return &labelAdapter();
    case ElementKind::TextField:
        return &textFieldAdapter();
    case ElementKind::PushButton:
        return &pushButtonAdapter();
    case ElementKind::CheckBox:
        return &checkBoxAdapter();
    case ElementKind::OptionButton:
        return &optionButtonAdapter();
    case ElementKind::ComboBox:
        return &comboBoxAdapter();
    case ElementKind::PictureBox:
        return &pictureBoxAdapter();
    case ElementKind::TabStrip:
        return &tabStripAdapter();
    case ElementKind::Toolbar:
        return &toolbarAdapter();
    case ElementKind::StatusBar:
        return &statusBarAdapter();
    case ElementKind::SpinControl:
        return &spinControlAdapter();
    case ElementKind::Timer:
        return &timerAdapter();
    case ElementKind::Control:
    case ElementKind::FileDialog:
    case ElementKind::ImageList:
        return nullptr;
    }
    return nullptr;
}

} // namespace pelmark
