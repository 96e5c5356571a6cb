#pragma once

#include <string>
#include <vector>

namespace pelmark::sample {

// One photo of the sample trip, as its EXIF data says it was taken.
struct SamplePhoto {
    std::string fileName;
    std::string takenAt;  // "YYYY:MM:DD HH:MM:SS", camera clock
    bool onTrack = false; // within the track's time span, so the matching run finds a point for it
};

// The photos in the order they are written; with the camera's clock set `cameraAheadSeconds` ahead
// (an hour: a camera left on another time zone), `onTrack` still says where they were taken.
std::vector<SamplePhoto> samplePhotos(long cameraAheadSeconds = 0);

inline constexpr const char* kSampleTrackName = "trip.t";

// Writes the sample trip into `folder` (made when missing): two dozen photos of one summer morning,
// each a decodable picture behind an EXIF segment, and a track file whose points cover most of them.
// The same bytes every time. Throws PelmarkError (FileWrite) when a file cannot be written.
void writeSampleTrip(const std::string& folder, long cameraAheadSeconds = 0);

} // namespace pelmark::sample
