#include "ondemand/ModuleEntry.h"

#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace pelmark::ondemand {

void* moduleEntry(const char* fileName, const char* fromProgram, const char* entry, std::string& failure) {
    std::error_code error;
    const std::filesystem::path programFolder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    failure = std::string(fileName) + " not found";
    for (const std::filesystem::path& candidate : {programFolder / fileName, programFolder / fromProgram}) {
        if (!std::filesystem::exists(candidate, error)) continue;
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            failure = dlerror();
            continue;
        }
        if (void* symbol = dlsym(module, entry)) return symbol;
        failure = dlerror();
    }
    return nullptr;
}

} // namespace pelmark::ondemand
