#include "track/TrackFile.h"

#include "exif/ByteOrder.h"
#include "track/TrackPositions.h"

namespace pelmark {

namespace {

// Track files store every number unsigned and little-endian, as photos in Intel order do; no field is
// wider than four bytes, so the value is exact.
std::uint32_t littleEndianValue(std::string_view bytes) {
    return static_cast<std::uint32_t>(decodeUnsigned(bytes, ByteOrder::Intel));
}

// The position words and the time, then the rest: a point cut off after its time still shows the time
// of a first point, as the reader always has.
bool readPoint(FileSlot& file, TrackPoint& point) {
    std::string words;
    if (!file.read(12, words)) return false;
    const std::string_view bytes(words);
    point.position1 = bytes.substr(0, 4);
    point.position2 = bytes.substr(4, 4);
    point.timeRaw = bytes.substr(8, 4);
    point.time = littleEndianValue(point.timeRaw);
    return true;
}

bool readPointRest(FileSlot& file, TrackPoint& point) {
    std::string word;
    if (!file.read(3, word)) return false;
    point.byteValue = static_cast<std::uint8_t>(littleEndianValue(std::string_view(word).substr(0, 1)));
    point.textLength = static_cast<std::uint16_t>(littleEndianValue(std::string_view(word).substr(1, 2)));
    if (*point.textLength > 0 && !file.read(*point.textLength, point.text)) return false;
    if (!file.read(2, word)) return false;
    point.altitude = word;
    return true;
}

} // namespace

// The header up to the first point, as the control's reader takes it.
bool readHeader(FileSlot& file, std::string& title) {
    std::string bytes;
    if (!file.read(13, bytes) || !file.read(2, bytes) || !file.read(2, bytes)) return false;
    return file.read(littleEndianValue(bytes), title);
}

bool hasTrackExtension(std::string_view path) {
    return path.ends_with('t') || path.ends_with("tb");
}

TrackReadEnd readTrackLog(FileSlot& file, const std::string& path, TrackLog& log,
                          const TrackReadHooks& hooks) {
    if (!readHeader(file, log.title)) return TrackReadEnd::BadHeader;
    if (hooks.title) hooks.title(log.title);

    std::string marker;
    for (long long index = 1;; ++index) {
        if (!file.read(1, marker) || marker != "T") break;
        if (index > Track::kCapacity) {
            log.pointsLeftOut = true;
            break;
        }
        TrackPoint point;
        if (!readPoint(file, point)) break;
        if (index == 1 && hooks.firstPointTime) hooks.firstPointTime(*point.time);
        if (!readPointRest(file, point)) break;
        log.points.slot(index) = std::move(point);
        log.count = index;

        if (hooks.yieldAndTestStop && hooks.yieldAndTestStop()) return TrackReadEnd::Stopped;
        // Reading on from another file would mix two files into one track.
        if (!file.isOpen() || file.path() != path) return TrackReadEnd::SlotLost;
    }
    return TrackReadEnd::Complete;
}

TrackReadEnd readTrackPoints(FileSlot& file, GeoTrack& track, long long& pointsRead) {
    std::string title, marker;
    if (!readHeader(file, title)) return TrackReadEnd::BadHeader;
    track.startSegment();
    // A point joins the track once the next one is read whole: the last is the closing point.
    std::optional<TrackPoint> previous;
    for (;;) {
        TrackPoint point;
        if (!file.read(1, marker) || marker != "T" || !readPoint(file, point) || !readPointRest(file, point))
            break;
        ++pointsRead;
        if (previous) addTrackPoint(*previous, track);
        previous = std::move(point);
    }
    return TrackReadEnd::Complete;
}

} // namespace pelmark
