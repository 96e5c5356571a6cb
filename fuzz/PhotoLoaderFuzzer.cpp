// Feeds arbitrary bytes to the photo loader as a photo file, by path, through the whole control. The first
// four bytes (little-endian) are not written: they say how many bytes of hole follow the rest, so a small
// input describes a file of up to 4 GiB whose counts and offsets reach that far.
#include "base/Error.h"
#include "control/VeltoraControl.h"
#include "platform/ScriptedPlatform.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
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
    std::uint64_t hole = 0;
    for (std::size_t k = 0; k < 4 && k < size; ++k)
        hole |= std::uint64_t{data[k]} << (8 * k);
    const std::size_t skipped = size < 4 ? size : 4;
    std::FILE* out = std::fopen(loader.path.c_str(), "wb");
    if (!out) return 0;
    if (size > skipped) std::fwrite(data + skipped, 1, size - skipped, out);
    std::fclose(out);
    std::error_code error;
    std::filesystem::resize_file(loader.path, size - skipped + hole, error);
    pelmark::Variant path(loader.path);
    try {
        loader.control.LoadPictures(path);
    } catch (const pelmark::PelmarkError&) {
        // A file shorter than its header and directory claim: reported, as a path-driven load should.
    }
    return 0;
}
