#pragma once

#include "geotag/InstantIndex.h"
#include "geotag/OffsetFinder.h"
#include "records/GeoTrack.h"
#include "records/PlacedPhoto.h"

#include <optional>
#include <string>
#include <vector>

namespace pelmark {

// How a photo's instant finds its place on a track.
struct MatchRule {
    // The nearest point, when it lies less than this many seconds away (the control's rule).
    double limitSeconds = kMatchLimitSeconds;
    // When set: on the line between the two points of one segment around the photo, when they lie at
    // most this many seconds apart; a photo without such a pair falls back to the nearest point.
    std::optional<double> interpolateSeconds;
};

// A photo's verdict and, for a match, its place.
struct Placement {
    // `point` is the nearest point's number: its index in the track's points plus one. Without an
    // instant the kind is NoCaptureTime; on an empty track NoPointThatMonth.
    PhotoVerdict verdict;
    bool interpolated = false;
    // For a match: where the photo goes, with the instant of that position as `utcSeconds`: the
    // matched point's own time (when the receiver was there), or the photo's instant when it was
    // placed between two points.
    GeoPoint place;
};

Placement placePhoto(std::optional<double> utcSeconds, const InstantIndex& index, const MatchRule& rule);

// A photo as the engine places it: its file and its instant in UTC, when known.
struct PhotoInstant {
    std::string path;
    std::string name;
    std::optional<double> utcSeconds;
};

// The record the outputs take for a matched photo, with its position's instant; nothing for one
// without a match.
std::optional<PlacedPhoto> placedPhoto(const PhotoInstant& photo, const Placement& placement);

// Every photo placed on `track` by `rule`: the matched ones, in photo order. The one way from photos
// and a track, of any kind and any number of files, to the records other programs read.
std::vector<PlacedPhoto> placedPhotos(const std::vector<PhotoInstant>& photos, const GeoTrack& track,
                                      const MatchRule& rule);

} // namespace pelmark
