#pragma once

#include "control/VeltoraControl.h"
#include "platform/ScriptedPlatform.h"
#include "qtplatform/Twips.h"
#include "widget/Veltora.h"
#include "widget/WidgetSurface.h"

#include <QCoreApplication>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace pelmark::test {

// A control on the scripted platform, with its real widgets, ready to be looked at.
struct WidgetControl {
    ScriptedPlatform platform;
    std::unique_ptr<Veltora> widget;

    using Settings = std::map<std::string, std::string>;
    explicit WidgetControl(Settings settings = {}) {
        platform.settings() = std::move(settings);
        widget = std::make_unique<Veltora>(platform);
        // As before it is first shown or drawn: the captions are fitted to their font then.
        widget->ensurePolished();
    }

    Surface& model() { return widget->control().surface(); }

    template <typename Widget = QWidget>
    Widget* find(const char* name) {
        QCoreApplication::sendPostedEvents(); // texts reach the widgets at the next turn of the loop
        auto* found = widget->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Where an element lies on the control, in pixels.
    QRect onControl(const char* name) {
        QWidget* w = find(name);
        if (!w) return {};
        return QRect(w->mapTo(widget.get(), QPoint(0, 0)), w->size());
    }

    int px(int twips) const { return twipsToPixels(twips, widget->logicalDpiX()); }
    int py(int twips) const { return twipsToPixels(twips, widget->logicalDpiY()); }
};

} // namespace pelmark::test
