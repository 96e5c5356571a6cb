#pragma once

#include "records/PlacedPhoto.h"
#include "waypointsgpx/GpxWaypoints.h"
#include "xmp/XmpSidecar.h"

#include <optional>
#include <string>
#include <vector>

namespace pelmark::ondemand {

// The writers of formats other programs read (GPX through libxml2, XMP through exiv2). Loading those
// libraries, ICU behind libxml2 among them, costs every process about 4 ms, more than a console session
// or a geotag run of a track file takes; so `pelmark` loads them from pelmark-formats.so only when a
// run asks for --gpx or --xmp. A program that links them (the tests) gets them directly.
struct FormatWriters {
    std::string (*gpxWaypoints)(const std::vector<PlacedPhoto>& photos);
    std::string (*sidecarPath)(const std::string& photoPath, bool fullName);
    // Throws PelmarkError (FileRead) for a sidecar that is no XMP.
    SidecarUpdate (*sidecarWithPosition)(const std::optional<std::string>& existing, const PlacedPhoto& photo,
                                         bool overwrite);
};

// The module's one symbol.
using FormatsEntry = const FormatWriters* (*)();
inline constexpr const char* kFormatsEntryName = "pelmark_formats";

// The writers, linked in or loaded when first wanted. Throws PelmarkError (FileWrite) when the module
// cannot be loaded.
const FormatWriters& formatWriters();

// The writers as the module and a linking program both hand them out.
inline constexpr FormatWriters kFormatWriters{&gpxWaypoints, &sidecarPath, &sidecarWithPosition};

} // namespace pelmark::ondemand
