// Feeds arbitrary bytes to the track reader as a track file, by path and without a dialog.
// The rig lives with the reader's tests; this target links the core only, so it is reached by path.
#include "track/TrackRig.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// The rig is made once: building the element inventory and the 10000 slots for every input would
// leave little time for the reading itself.
struct Reader : pelmark::test::TrackRig {
    std::string path = "/tmp/pelmark-fuzz-track-" + std::to_string(getpid()) + ".t";
    ~Reader() { std::remove(path.c_str()); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Reader r;
    std::FILE* out = std::fopen(r.path.c_str(), "wb");
    if (!out) return 0;
    if (size > 0) std::fwrite(data, 1, size, out);
    std::fclose(out);
    r.read(r.path);
    // Whatever the bytes, a load ends with the slot closed.
    if (r.file.isOpen()) __builtin_trap();
    return 0;
}
