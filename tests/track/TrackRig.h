#pragma once

#include "platform/ScriptedPlatform.h"
#include "surface/Inventory.h"
#include "track/TrackReader.h"

namespace pelmark::test {

// One control's shared context over the full element inventory, with the track reader on top and the
// count panel tagged as start-up tags it: what the reader and clock-offset tests, the track benchmark
// and the track fuzzer run against, without the rest of the control.
struct TrackRig {
    static constexpr const char* kCountTag = "Gelesene Trackpunkte: ";

    ScriptedPlatform platform;
    StopRequest stop;
    FileSlot file;
    Surface surface{stop};
    CommonDialog dialog{platform};
    Context context{platform, surface, stop, file, dialog};
    Variant anzahl;
    TrackReader reader{context, anzahl};

    TrackRig() {
        buildInventory(surface);
        StatusPanel count;
        count.tag = kCountTag;
        surface.setPanels("StatusBar2", {count});
    }

    std::string read(const std::string& path) {
        return reader.readTrackFile(Variant(path), SCommonDialog::NoCommonDialog);
    }
};

} // namespace pelmark::test
