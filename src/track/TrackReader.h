#pragma once

#include "base/Variant.h"
#include "records/Track.h"
#include "surface/Context.h"
#include "track/DialogMode.h"

#include <string>

namespace pelmark {

// Reads a track file of the outside GPS program into the track-point list and shows what it read:
// `PathTxt`, `TitelTxt`, `DateFrom`, `DateTo` and panel 1 of `StatusBar2`. The matching run and the
// waypoint writer read the list and `Anzahl` from here.
class TrackReader {
public:
    static constexpr const char* kNoError = "Kein Fehler";
    static constexpr const char* kError = "Fehler";
    static constexpr const char* kFilter =
        "Garmin Track (*.t)|*.t|Garmin Track Backup (*.tb)|*.tb|Alle Dateien (*.*)|*";

    // `anzahl` is the control's public member; only a complete load changes it.
    TrackReader(Context& context, Variant& anzahl) : context_(context), anzahl_(anzahl) {}

    // `path` missing: the path is the text of `PathTxt`, or, when that is empty, the one chosen in the
    // file dialog (unless `mode` forbids the dialog). Answers "Kein Fehler" after a complete load and
    // "Fehler" otherwise; failures show no message.
    std::string readTrackFile(const Variant& path, SCommonDialog mode);

    const Track& track() const { return track_; }
    Track& track() { return track_; }
    const Variant& Anzahl() const { return anzahl_; }

private:
    bool choosePath(const Variant& path, SCommonDialog mode);
    void showCount(long long count);

    Context& context_;
    Variant& anzahl_;
    Track track_;
};

} // namespace pelmark
