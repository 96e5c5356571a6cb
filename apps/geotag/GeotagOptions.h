#pragma once

#include "geotag/GeotagOutputs.h"
#include "geotag/GeotagReport.h"

#include <optional>
#include <string>
#include <vector>

namespace pelmark::geotag {

// A clock photo as given: the photo (a name in the photo folders, or a path) and what the receiver's
// clock showed on it.
struct SyncPhoto {
    std::string photo;
    double receiverUtc = 0;
};

struct Options {
    std::vector<std::string> tracks;
    std::optional<double> offset;
    std::optional<bool> cameraAhead;
    std::optional<std::string> cameraZone;
    std::vector<SyncPhoto> sync;
    std::optional<double> interpolate; // seconds
    std::vector<std::string> photoFolders;
    bool recursive = false;
    bool dryRun = false;
    bool findOffset = false;
    ReportFormat format = ReportFormat::Text;
    OutputRequest outputs;
    bool help = false;
};

// Throws PelmarkError (InvalidArgument) with the fault in the user's words.
Options parseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;
extern const char* const kHelp;

} // namespace pelmark::geotag
