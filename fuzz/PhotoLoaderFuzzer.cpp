// Feeds arbitrary bytes to the photo loader as a photo file, by path, through the whole control.
#include "base/Error.h"
#include "control/VeltoraControl.h"
#include "platform/ScriptedPlatform.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// One control for all inputs: building the element inventory for each would leave little time for
// the loading itself, and a load must cope with whatever the last one left behind anyway.
struct Loader {
    pelmark::ScriptedPlatform platform;
    pelmark::VeltoraControl control{platform};
    std::string path = "/tmp/pelmark-fuzz-photo-" + std::to_string(getpid()) + ".jpg";
    ~Loader() { std::remove(path.c_str()); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Loader loader;
    std::FILE* out = std::fopen(loader.path.c_str(), "wb");
    if (!out) return 0;
    if (size > 0) std::fwrite(data, 1, size, out);
    std::fclose(out);
    pelmark::Variant path(loader.path);
    try {
        loader.control.LoadPictures(path);
    } catch (const pelmark::PelmarkError&) {
        // A file shorter than its header and directory claim: reported, as a path-driven load should.
    }
    return 0;
}
