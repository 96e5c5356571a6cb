#pragma once

#include "records/GeoTrack.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pelmark {

// Reads the track points of GPX 1.0 and 1.1 files (gpx/trk/trkseg/trkpt with time and ele) into the
// engine's track, streaming: memory grows with the points taken, never with the file. Each trkseg is a
// segment of its own. Points without a time, with an impossible one or without a position are skipped
// and counted in the track, and so are points not later than the one before them in their segment.
//
// A file that is no well-formed GPX is an error that names the file and line, and keeps none of its
// points: no document type may declare entities (and none is expanded), elements nest at most
// `kMaxDepth` deep, and no single piece of markup (a tag, a run of text) may pass `kMaxMarkupBytes`.
class GpxReader {
public:
    static constexpr int kMaxDepth = 64;
    static constexpr std::uint64_t kMaxMarkupBytes = 1 << 20;

    // `name` is what errors call the input.
    GpxReader(GeoTrack& track, std::string name);
    ~GpxReader();
    GpxReader(const GpxReader&) = delete;
    GpxReader& operator=(const GpxReader&) = delete;

    // The next bytes of the file, and then its end. Throw PelmarkError (FileRead) at the first fault;
    // the track then holds none of this file's points.
    void feed(std::string_view bytes);
    void finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The whole file at `path`. Throws PelmarkError: FileNotFound or FileRead as for any track, and
// FileRead for a file that is no GPX.
void readGpxFile(const std::string& path, GeoTrack& track);

// Whether `path` names a GPX file by its ending (".gpx", any letter case).
bool isGpxName(std::string_view path);

} // namespace pelmark
