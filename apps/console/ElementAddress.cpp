#include "console/ElementAddress.h"

#include <algorithm>
#include <charconv>

namespace pelmark::console {

std::optional<ElementAddress> resolveAddress(const Surface& surface, const std::string& name) {
    if (surface.has(name)) return ElementAddress{ElementAddress::Kind::Element, ElementRef(name).id(), 0, {}};

    // A key may hold blanks or dots, so the toolbar ends at the first slash.
    if (auto slash = name.find('/'); slash != std::string::npos) {
        std::string toolbar = name.substr(0, slash);
        std::string key = name.substr(slash + 1);
        if (!surface.has(toolbar)) return std::nullopt;
        const auto& buttons = surface.get(toolbar).buttons;
        bool found =
            std::any_of(buttons.begin(), buttons.end(), [&](const ToolButton& b) { return b.key == key; });
        if (!found) return std::nullopt;
        return ElementAddress{ElementAddress::Kind::Button, ElementRef(toolbar).id(), 0, key};
    }

    if (auto dot = name.rfind('.'); dot != std::string::npos) {
        std::string bar = name.substr(0, dot);
        int panel = 0;
        const char* first = name.data() + dot + 1;
        const char* last = name.data() + name.size();
        auto [end, error] = std::from_chars(first, last, panel);
        if (error != std::errc() || end != last || !surface.has(bar)) return std::nullopt;
        const Element& element = surface.get(bar);
        if (element.kind != ElementKind::StatusBar || panel < 1 ||
            panel > static_cast<int>(element.panels.size()))
            return std::nullopt;
        return ElementAddress{ElementAddress::Kind::Panel, element.id, panel, {}};
    }
    return std::nullopt;
}

} // namespace pelmark::console
