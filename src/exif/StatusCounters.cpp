#include "exif/StatusCounters.h"

#include "base/NumberText.h"

#include <cmath>

namespace pelmark {

namespace {

const std::string& panelOf(const Surface& surface, int panel, bool tag) {
    const auto& shown = surface.get(ElementId::StatusBar1).panels.at(static_cast<std::size_t>(panel - 1));
    return tag ? shown.tag : shown.text;
}

} // namespace

StatusCounters::Held* StatusCounters::held(int panel) {
    return panel >= kRecognised && panel <= kSubRecognised ? &held_[static_cast<std::size_t>(panel - 1)]
                                                           : nullptr;
}

void StatusCounters::reset(int panel) {
    Held* counter = held(panel);
    if (counter == nullptr)
        return surface_.setPanelText(ElementId::StatusBar1, panel, "0" + panelOf(surface_, panel, true));
    *counter = {0, true, true, std::move(counter->written)};
}

void StatusCounters::set(int panel, long long count) {
    Held* counter = held(panel);
    if (counter == nullptr)
        return surface_.setPanelText(ElementId::StatusBar1, panel,
                                     counterText(count) + panelOf(surface_, panel, true));
    *counter = {count, false, true, std::move(counter->written)};
}

void StatusCounters::add(int panel, int delta) {
    Held* counter = held(panel);
    if (counter != nullptr && !counter->pending) {
        // Parsing the text again is needed only when someone else wrote the panel since our flush.
        const std::string& text = panelOf(surface_, panel, false);
        if (text != counter->written) counter->count = std::llround(leadingNumber(text));
    }
    if (counter == nullptr) {
        set(panel, std::llround(leadingNumber(panelOf(surface_, panel, false))) + delta);
        return;
    }
    counter->count += delta;
    counter->plain = false;
    counter->pending = true;
}

void StatusCounters::flush() {
    for (int panel = kRecognised; panel <= kSubRecognised; ++panel) {
        Held& counter = held_[static_cast<std::size_t>(panel - 1)];
        if (!counter.pending) continue;
        // Built in the buffer of the text written last: a pass flushes after every entry.
        std::string& text = counter.written;
        text.clear();
        if (counter.plain)
            text += '0';
        else
            appendCounterText(text, counter.count);
        text += panelOf(surface_, panel, true);
        counter.pending = false;
        surface_.setPanelText(ElementId::StatusBar1, panel, counter.written);
    }
}

void StatusCounters::clearAll() {
    held_ = {};
    auto count = static_cast<int>(surface_.get(ElementId::StatusBar1).panels.size());
    for (int panel = 1; panel <= count; ++panel)
        surface_.setPanelText(ElementId::StatusBar1, panel, "");
}

void StatusCounters::note(int panel, const std::string& text) {
    if (Held* counter = held(panel)) *counter = {};
    surface_.setPanelText(ElementId::StatusBar1, panel, text);
}

} // namespace pelmark
