#include "waypoints/WayPointFile.h"

#include <algorithm>

namespace pelmark {

namespace {

using namespace std::string_literals;

std::string exactly(std::string_view raw, std::size_t size) {
    std::string out(raw.substr(0, size));
    out.resize(size, '\0');
    return out;
}

// A comment with its length in front: one byte, then a zero byte.
std::string sizedComment(std::string_view comment) {
    const std::string_view cut = comment.substr(0, kMaxCommentBytes);
    return std::string(1, static_cast<char>(cut.size())) + '\0' + std::string(cut);
}

std::string photoComment(const WayPoint& slot) {
    std::string comment = "Bild: " + slot.photoPath;
    if (!slot.text.empty()) comment += " (" + slot.text + ")";
    return comment;
}

} // namespace

std::optional<std::string> wayPointFileName(std::string_view trackPath) {
    if (trackPath.size() < 2) return std::nullopt;
    std::string folderPart;
    std::string folderName;
    std::size_t last = std::string_view::npos;
    // The leading "/" of an absolute path counts: it stands where a drive letter would, and "/F/t.t"
    // lies in the folder "F" as much as any deeper path does.
    for (std::size_t i = trackPath.size(); i-- > 0;) {
        if (trackPath[i] != '/') continue;
        if (last == std::string_view::npos) {
            last = i;
            folderPart = std::string(trackPath.substr(0, i + 1));
        } else {
            folderName = std::string(trackPath.substr(i + 1, last - i - 1));
            break;
        }
    }
    return folderPart + folderName + ".wp";
}

std::string wayPointName(std::string_view photoName) {
    std::string_view stem = photoName.size() < 4 ? photoName : photoName.substr(0, photoName.size() - 4);
    if (stem.size() > 6) stem = stem.substr(stem.size() - 6);
    std::string name(stem);
    name.resize(6, ' ');
    return name;
}

std::string headerAndReference(const WayPoint& reference) {
    std::string out = "GARtrip waypoints"s + "\xCC\x00"s + "\x06\x00"s + "WGS-84" + "\x0C\x00"s +
                      "hddd\xB0mm.mmm'" + "\x02\x00"s + "+0" + "\x00\x00"s;
    out += "\x06\x00"s + wayPointName(reference.photoName);
    out += exactly(reference.position1, 4) + exactly(reference.position2, 4);
    out += "\x50\xC3\x00\x00"s;
    out += sizedComment("Automatically generated Waypoint file by Brenlowe");
    return out;
}

std::string wayPointRecord(const WayPoint& slot) {
    std::string out = "W"s + "\x06\x00"s + wayPointName(slot.photoName);
    out += sizedComment(photoComment(slot));
    out += exactly(slot.position1, 4) + exactly(slot.position2, 4);
    // The point's time with its lowest byte cleared.
    out += '\0' +
           exactly(std::string_view(slot.timeRaw).substr(std::min<std::size_t>(1, slot.timeRaw.size())), 3);
    out += "\x47\xFE\x34\x00"s;
    out += exactly(slot.altitude, 2);
    return out;
}

std::vector<std::string> wayPointFileParts(const WayPoints& slots, double photoCount) {
    std::vector<std::string> parts;
    const int reference = firstMatched(slots, photoCount);
    if (reference == 0) return parts;
    parts.push_back(headerAndReference(slots.slot(reference)));
    for (int i = 1; i <= photoCount && WayPoints::holds(i); ++i)
        if (slots.matched(i)) parts.push_back(wayPointRecord(slots.slot(i)));
    return parts;
}

} // namespace pelmark
