// Feeds arbitrary bytes to the track reader as a track file, by path and without a dialog.
#include "platform/ScriptedPlatform.h"
#include "surface/Inventory.h"
#include "track/TrackReader.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

using namespace pelmark;

struct Reader {
    ScriptedPlatform platform;
    StopRequest stop;
    FileSlot file;
    Surface surface{stop};
    CommonDialog dialog{platform};
    Context context{platform, surface, stop, file, dialog};
    Variant anzahl;
    TrackReader reader{context, anzahl};
    std::string path = "/tmp/pelmark-fuzz-track-" + std::to_string(getpid()) + ".t";

    Reader() { buildInventory(surface); }
    ~Reader() { std::remove(path.c_str()); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Reader r;
    std::FILE* out = std::fopen(r.path.c_str(), "wb");
    if (!out) return 0;
    if (size > 0) std::fwrite(data, 1, size, out);
    std::fclose(out);
    r.reader.readTrackFile(Variant(r.path), SCommonDialog::NoCommonDialog);
    // Whatever the bytes, a load ends with the slot closed.
    if (r.file.isOpen()) __builtin_trap();
    return 0;
}
