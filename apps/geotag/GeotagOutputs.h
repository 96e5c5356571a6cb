#pragma once

#include "records/PlacedPhoto.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace pelmark::geotag {

// The outputs for other programs that a run was asked for.
struct OutputRequest {
    std::optional<std::string> gpx; // --gpx FILE
    bool xmp = false;               // --xmp
    bool fullNames = false;         // --xmp=full: "P1.JPG.xmp"
    bool overwrite = false;         // a sidecar's own position gives way
    std::string settingsFolder;     // whose record keeps the sidecars' state before (empty: the user's)

    bool any() const { return gpx || xmp; }
};

struct OutputsDone {
    std::vector<std::string> lines; // for the report's summary
    bool failed = false;            // something asked for could not be written
};

// Writes the GPX file and the sidecars asked for, each as a new file that replaces the old one whole.
// Every sidecar is on the time record before it is written, with its bytes from before. What could
// not be written is named on `err`. A dry run writes nothing and says what it would write.
OutputsDone writeOutputs(const std::vector<PlacedPhoto>& photos, const OutputRequest& request, bool dryRun,
                         std::ostream& err);

} // namespace pelmark::geotag
