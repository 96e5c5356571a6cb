#include "ondemand/WidgetsOnDemand.h"

#include <dlfcn.h>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace pelmark::ondemand {

namespace {

// Beside the program in the build tree; where the install put it otherwise (a path from the program's
// folder).
const WidgetsEntries* load() {
    std::error_code error;
    const std::filesystem::path programFolder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    std::string failure = "pelmark-widgets.so not found";
    for (const std::filesystem::path& candidate :
         {programFolder / "pelmark-widgets.so", programFolder / PELMARK_WIDGETS_MODULE_FROM_PROGRAM}) {
        if (!std::filesystem::exists(candidate, error)) continue;
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            failure = dlerror();
            continue;
        }
        if (void* entry = dlsym(module, kWidgetsEntryName)) return reinterpret_cast<WidgetsEntry>(entry)();
        failure = dlerror();
    }
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
