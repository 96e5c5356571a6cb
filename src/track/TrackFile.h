#pragma once

#include "base/FileSlot.h"
#include "records/GeoTrack.h"
#include "records/TrackLog.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace pelmark {

// What a reader shows the user as it goes; each hook may be left empty.
struct TrackReadHooks {
    std::function<void(const std::string& title)> title;
    std::function<void(std::uint32_t time)> firstPointTime;
    // After every point: lets pending events run and answers whether the user asked to stop.
    std::function<bool()> yieldAndTestStop;
};

enum class TrackReadEnd {
    Complete, // the header and every whole point up to the first that is not a point
    BadHeader,
    Stopped,  // the user stopped it after a point
    SlotLost, // something that ran during a yield put another file into the slot
};

// The case-sensitive extension test of the reader: "*.T" and "*.TB" are refused, while any name whose
// last letter is a small t (a "*.txt" too) passes.
bool hasTrackExtension(std::string_view path);

// Reads the track file open in `file` (named `path`) into `log`, which the caller starts empty. A point
// enters `log` only once it is read completely; the file stays open for the caller to close.
TrackReadEnd readTrackLog(FileSlot& file, const std::string& path, TrackLog& log,
                          const TrackReadHooks& hooks = {});

// Every point of the track file open in `file`, however many, as one segment of `track` (see
// `appendTrackLog`), for programs that are not bound by the control's table. Reads as `readTrackLog`
// does, without hooks; the closing point takes part in no match and is left out as well, but counts
// among the points read (`pointsRead`, added to).
TrackReadEnd readTrackPoints(FileSlot& file, GeoTrack& track, long long& pointsRead);

} // namespace pelmark
