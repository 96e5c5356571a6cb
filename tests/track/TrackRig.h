#pragma once

#include "support/ContextRig.h"
#include "track/TrackReader.h"

namespace pelmark::test {

// The track reader on a started surface, without the rest of the control: what the reader tests, the
// track benchmark and the track fuzzer run against.
struct TrackRig : ContextRig {
    Variant anzahl;
    TrackReader reader{context, anzahl};

    std::string read(const std::string& path) {
        return reader.readTrackFile(Variant(path), SCommonDialog::NoCommonDialog);
    }
};

} // namespace pelmark::test
