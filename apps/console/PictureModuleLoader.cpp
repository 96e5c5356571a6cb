#include "console/PictureModuleLoader.h"

#include "qtplatform/PictureModule.h"

#include <dlfcn.h>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace pelmark::console {

namespace {

// Next to the program in the build tree; in the installed tree, where the install put it.
LoadPictureEntry findEntry() {
    std::error_code error;
    const std::filesystem::path programFolder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    std::string failure = "not found";
    for (const std::filesystem::path& candidate :
         {programFolder / "pelmark-pictures.so", programFolder / PELMARK_PICTURE_MODULE_FROM_PROGRAM}) {
        if (!std::filesystem::exists(candidate, error)) continue;
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            failure = dlerror();
            continue;
        }
        // The module stays loaded: the pictures it made free their pixels through its code.
        if (void* entry = dlsym(module, kLoadPictureEntryName))
            return reinterpret_cast<LoadPictureEntry>(entry);
        failure = dlerror();
    }
    std::cerr << "pelmark: pictures cannot be shown: " << failure << "\n";
    return nullptr;
}

} // namespace

std::optional<Picture> loadPictureOnDemand(const std::string& path, int boxWidthTwips, int boxHeightTwips,
                                           double dpi) {
    static const LoadPictureEntry entry = findEntry();
    Picture picture;
    if (entry == nullptr || !entry(&path, boxWidthTwips, boxHeightTwips, dpi, &picture)) return std::nullopt;
    return picture;
}

} // namespace pelmark::console
