// Geotags the photos of a folder from a GPX track with the engine alone: no widget, no Qt, nothing
// written. Prints one line for each photo that found its place:
//
//   pelmark-example-engine TRACK.gpx FOLDER [ZONE]
//
// ZONE is the zone the camera's clock was set to (Europe/Berlin); without it the clock is taken to run
// on UTC. Photos are placed on the line between the two points around them, up to 120 s apart.
#include "base/Error.h"
#include "base/InstantText.h"
#include "exif/ExifReader.h"
#include "geotag/Placing.h"
#include "gpx/GpxReader.h"
#include "photos/PhotoLoader.h"
#include "zones/CameraZone.h"

#include <cstdio>
#include <limits>

int main(int argc, char** argv) {
    using namespace pelmark;
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s TRACK.gpx FOLDER [ZONE]\n", argv[0]);
        return 2;
    }
    try {
        GeoTrack track;
        readGpxFile(argv[1], track);
        const std::optional<CameraZone> zone = argc == 4 ? std::optional(CameraZone(argv[3])) : std::nullopt;

        // Each photo's instant: its capture time on the camera's clock, read in the camera's zone.
        std::string folder = argv[2];
        if (!folder.ends_with('/')) folder += '/';
        std::vector<PhotoInstant> photos;
        ExifReader reader;
        const auto names = photoNamesIn(folder, "", std::numeric_limits<std::size_t>::max());
        for (const std::string& name : names.value()) {
            std::optional<double> utc;
            try {
                utc = exifClockSeconds(reader.read(folder + name).text(ExifField::DateOriginal));
            } catch (const PelmarkError&) {
                // A photo that cannot be read has no instant and finds no place.
            }
            if (utc && zone) utc = zone->utcOf(*utc).utcSeconds;
            photos.push_back({folder + name, name, utc});
        }

        for (const PlacedPhoto& photo : placedPhotos(photos, track, {kMatchLimitSeconds, 120.0}))
            std::printf("%s %.6f %.6f %s\n", photo.name.c_str(), photo.latitude, photo.longitude,
                        isoText(static_cast<double>(*photo.utcSeconds)).c_str());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
