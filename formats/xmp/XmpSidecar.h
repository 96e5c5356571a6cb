#pragma once

#include "records/PlacedPhoto.h"

#include <optional>
#include <string>

namespace pelmark {

// The sidecar of a photo: "P1.JPG" -> "P1.xmp", or with `fullName` "P1.JPG.xmp".
std::string sidecarPath(const std::string& photoPath, bool fullName);

struct SidecarUpdate {
    bool changed = false; // false: the sidecar holds a position of its own, which stays
    std::string bytes;    // the sidecar to write when changed
};

// The sidecar `existing` (nothing: there is none yet) with the photo's GPS position, altitude and time
// stamp, every other property as it was. A position already there stays unless `overwrite`; then the
// GPS properties written here all go first, so no altitude or time of the old position is left
// beside the new one. Throws PelmarkError (FileRead) for a sidecar that is no XMP.
SidecarUpdate sidecarWithPosition(const std::optional<std::string>& existing, const PlacedPhoto& photo,
                                  bool overwrite);

// "47,15.600000N": degrees, then minutes to a millionth (2e-8 degrees), as XMP writes a GPS coordinate.
std::string xmpCoordinate(double degrees, char positive, char negative);

} // namespace pelmark
