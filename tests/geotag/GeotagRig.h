#pragma once

#include "control/ExifView.h"
#include "exif/TagQuery.h"
#include "fixtures/JpegExifWriter.h"
#include "fixtures/TrackFileWriter.h"
#include "geotag/ClockOffset.h"
#include "geotag/MatchingRun.h"
#include "photos/Navigation.h"
#include "photos/PhotoLoader.h"
#include "support/ContextRig.h"
#include "support/TempDir.h"
#include "track/TrackReader.h"

#include <cstdio>
#include <string>
#include <vector>

namespace pelmark::test {

// A plain track point at `time` (seconds since the track's epoch).
inline fixtures::TrackFilePoint pointAt(std::uint32_t time, std::uint16_t altitude = 0,
                                        std::uint32_t position1 = 0) {
    fixtures::TrackFilePoint point;
    point.time = time;
    point.altitude = altitude;
    point.position1 = position1;
    return point;
}

// A track file of these points. `Anzahl` counts one less than the points read, so the last point of a
// file never takes part in a match: a far-off one is added after them.
inline fixtures::TrackFileWriter trackFile(const std::vector<fixtures::TrackFilePoint>& points) {
    fixtures::TrackFileWriter track;
    for (const auto& point : points)
        track.point(point);
    track.point(pointAt(1));
    return track;
}

// The matching run over its own pieces, so a test can pass a start number the public members never do.
// The photos lie beside the track file "t.t" in a fresh folder; photo number k (in name order, which a
// scan keeps) was taken at `takenAt[k - 1]`.
struct GeotagRig : ContextRig {
    GeotagRig(const std::vector<std::string>& takenAt, const std::vector<fixtures::TrackFilePoint>& points) {
        for (std::size_t k = 0; k < takenAt.size(); ++k) {
            char name[32];
            std::snprintf(name, sizeof name, "p%03zu.jpg", k + 1);
            names.push_back(name);
            folder.write(name,
                         fixtures::JpegExifWriter().sub(fixtures::asciiEntry(0x9003, takenAt[k])).bytes());
        }
        trackFile(points).writeTo(folder.file("t.t"));
        exif.view.wire();
        photos.wire();
        navigation.wire();
        reader.readTrackFile(Variant(folder.file("t.t")), SCommonDialog::NoCommonDialog);
    }

    TempDir folder;
    std::vector<std::string> names;
    Variant anzahl;
    TrackReader reader{context, anzahl};
    ClockOffset offset{context};
    ExifReading exif{context};
    PhotoLoader photos{context, exif.parser};
    Navigation navigation{context, photos};
    TagQuery tags{context, exif.record, [this](double number) { navigation.stepTo(number); }};
    MatchingRun run{context, photos, reader, offset, tags};
};

} // namespace pelmark::test
