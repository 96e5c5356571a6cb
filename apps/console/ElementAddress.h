#pragma once

#include "surface/Surface.h"

#include <optional>
#include <string>

namespace pelmark::console {

// What a console name points at: an element, one panel of a status bar ("StatusBar1.2", counting from
// 1) or one button of a toolbar ("Toolbar2/GarTrip Starten").
struct ElementAddress {
    enum class Kind { Element, Panel, Button };
    Kind kind = Kind::Element;
    ElementId element = ElementId::Veltora; // the element, the status bar or the toolbar
    int panel = 0;
    std::string key;
};

// Nothing when the surface has no such element, panel or button.
std::optional<ElementAddress> resolveAddress(const Surface& surface, const std::string& name);

} // namespace pelmark::console
