#include "track/TrackReader.h"

#include "base/NumberText.h"
#include "exif/ByteOrder.h"
#include "track/TrackTime.h"

#include <string_view>

namespace pelmark {

namespace {

// Track files store every number unsigned and little-endian, as photos in Intel order do; no field is
// wider than four bytes, so the value is exact.
std::uint32_t littleEndianValue(std::string_view bytes) {
    return static_cast<std::uint32_t>(decodeUnsigned(bytes, ByteOrder::Intel));
}

// The case-sensitive extension test of the reader: "*.T" and "*.TB" are refused, while any name whose
// last letter is a small t (a "*.txt" too) passes.
bool hasTrackExtension(std::string_view path) {
    return path.ends_with('t') || path.ends_with("tb");
}

class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
};

} // namespace

std::string TrackReader::readTrackFile(const Variant& path, SCommonDialog mode) {
    // A handler that runs while a load yields may ask for another load; the slot and the list belong
    // to the running one, so the second is refused. So is a load while a matching run holds the list.
    if (loading_ || held_) return kError;
    ScopedFlag busy(loading_);

    if (!choosePath(path, mode)) return kError;
    const std::string filePath = context_.surface.text(ElementId::PathTxt);
    if (!hasTrackExtension(filePath)) return kError;

    FileSlot& file = context_.file;
    if (!file.openForReading(filePath)) return kError;
    if (!readHeader()) {
        file.close();
        return kError;
    }

    long long count = 0;
    switch (readPoints(filePath, count)) {
    case PointsEnd::Normal:
        break;
    case PointsEnd::Stopped:
        // The Stop button has closed the file already, unless something else took the slot since.
        if (file.path() == filePath) file.close();
        return kError;
    case PointsEnd::SlotLost:
        return kError;
    }

    anzahl_ = Variant(count - 1);
    showCount(count);
    file.close();
    if (count == 0) {
        // No point at all: there is no time to show, and a first time left from an earlier track would
        // claim points that this one does not have.
        context_.surface.setText(ElementId::DateFrom, "");
        context_.surface.setText(ElementId::DateTo, "");
    } else {
        // The last point read takes part in nothing, so the end shown is the one before it; with a
        // single point that is the never-filled slot 0, whose time counts as 0.
        const TrackPoint& last = track_.slot(count - 1);
        context_.surface.setText(ElementId::DateTo, trackTimeText(last.time.value_or(0)));
    }
    return kNoError;
}

bool TrackReader::choosePath(const Variant& path, SCommonDialog mode) {
    Surface& surface = context_.surface;
    if (!path.isMissing())
        surface.setText(ElementId::PathTxt, textOf(path, context_.platform.decimalSeparator()));
    if (!surface.text(ElementId::PathTxt).empty()) return true;
    if (mode == SCommonDialog::NoCommonDialog) return false;

    CommonDialog& dialog = context_.dialog;
    dialog.fileName = surface.text(ElementId::PathTxt);
    dialog.filter = kFilter;
    if (!dialog.showOpen()) return false;
    surface.setText(ElementId::PathTxt, dialog.fileName);
    return !surface.text(ElementId::PathTxt).empty();
}

bool TrackReader::readHeader() {
    FileSlot& file = context_.file;
    std::string bytes;
    if (!file.read(13, bytes) || !file.read(2, bytes)) return false;
    if (!file.read(2, bytes)) return false;
    const std::uint32_t titleLength = littleEndianValue(bytes);
    if (!file.read(titleLength, bytes)) return false;
    context_.surface.setText(ElementId::TitelTxt, bytes);
    return true;
}

TrackReader::PointsEnd TrackReader::readPoints(const std::string& path, long long& count) {
    FileSlot& file = context_.file;
    std::string marker;
    long long index = 0;
    while (true) {
        ++index;
        if (!file.read(1, marker) || marker != "T") break;
        if (index > Track::kCapacity) break;

        // The point goes into its slot only when it was read completely, so a cut-off point never
        // leaves a half-written slot behind.
        TrackPoint point;
        std::string word;
        if (!file.read(4, word)) break;
        point.position1 = word;
        if (!file.read(4, word)) break;
        point.position2 = word;
        if (!file.read(4, word)) break;
        point.timeRaw = word;
        point.time = littleEndianValue(point.timeRaw);
        if (index == 1) context_.surface.setText(ElementId::DateFrom, trackTimeText(*point.time));
        if (!file.read(1, word)) break;
        point.byteValue = static_cast<std::uint8_t>(littleEndianValue(word));
        if (!file.read(2, word)) break;
        point.textLength = static_cast<std::uint16_t>(littleEndianValue(word));
        if (*point.textLength > 0 && !file.read(*point.textLength, point.text)) break;
        if (!file.read(2, word)) break;
        point.altitude = word;
        track_.slot(index) = std::move(point);

        if (context_.yieldAndTestStop()) return PointsEnd::Stopped;
        // Whatever ran during the yield may have put another file into the single slot; reading on
        // from it would mix two files into one track.
        if (!file.isOpen() || file.path() != path) return PointsEnd::SlotLost;
    }
    count = index - 1;
    return PointsEnd::Normal;
}

void TrackReader::showCount(long long count) {
    Surface& surface = context_.surface;
    const Element& bar = surface.get(ElementId::StatusBar2);
    const std::string tag = bar.panels.empty() ? std::string() : bar.panels.front().tag;
    surface.setPanelText(ElementId::StatusBar2, 1, tag + std::to_string(count));
}

} // namespace pelmark
