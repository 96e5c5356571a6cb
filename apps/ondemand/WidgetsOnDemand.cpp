#include "ondemand/WidgetsOnDemand.h"

#include "ondemand/ModuleEntry.h"

#include <iostream>

namespace pelmark::ondemand {

namespace {

const WidgetsEntries* load() {
    std::string failure;
    if (void* entry = moduleEntry("pelmark-widgets.so", PELMARK_WIDGETS_MODULE_FROM_PROGRAM,
                                  kWidgetsEntryName, failure))
        return reinterpret_cast<WidgetsEntry>(entry)();
    std::cerr << "pelmark: no window, no --widgets, no sample and no pictures: " << failure << "\n";
    return nullptr;
}

} // namespace

const WidgetsEntries* widgetsModule() {
    static const WidgetsEntries* const entries = load();
    return entries;
}

std::optional<Picture> loadPictureOnDemand(const std::string& path, int boxWidthTwips, int boxHeightTwips,
                                           double dpi) {
    const WidgetsEntries* module = widgetsModule();
    Picture picture;
    if (module == nullptr || !module->picture(&path, boxWidthTwips, boxHeightTwips, dpi, &picture))
        return std::nullopt;
    return picture;
}

} // namespace pelmark::ondemand
