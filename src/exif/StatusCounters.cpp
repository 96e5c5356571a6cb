#include "exif/StatusCounters.h"

#include "base/NumberText.h"

#include <cmath>

namespace pelmark {

namespace {

const std::string& tagOf(const Surface& surface, int panel) {
    return surface.get(StatusCounters::kBar).panels.at(static_cast<std::size_t>(panel - 1)).tag;
}

} // namespace

void StatusCounters::reset(int panel) {
    surface_.setPanelText(kBar, panel, "0" + tagOf(surface_, panel));
}

void StatusCounters::set(int panel, long long count) {
    surface_.setPanelText(kBar, panel, counterText(count) + tagOf(surface_, panel));
}

void StatusCounters::add(int panel, int delta) {
    const auto& panels = surface_.get(kBar).panels;
    double current = leadingNumber(panels.at(static_cast<std::size_t>(panel - 1)).text);
    set(panel, static_cast<long long>(std::llround(current)) + delta);
}

void StatusCounters::clearAll() {
    auto count = static_cast<int>(surface_.get(kBar).panels.size());
    for (int panel = 1; panel <= count; ++panel)
        surface_.setPanelText(kBar, panel, "");
}

void StatusCounters::note(int panel, const std::string& text) {
    surface_.setPanelText(kBar, panel, text);
}

} // namespace pelmark
