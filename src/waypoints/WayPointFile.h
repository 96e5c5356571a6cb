#pragma once

#include "records/WayPoints.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmark {

// The bytes of the outside program's waypoint file. Raw fields go back exactly as the track file held
// them; a raw field of the wrong length (never so after a complete track load) is cut or padded with
// zero bytes, so every record keeps its size.

// Next to the track file, named after its folder: "/a/Eifel/tour1.t" gives "/a/Eifel/Eifel.wp", a path
// with one "/" its folder part and ".wp". Nothing for a path of fewer than two characters: there is
// no track file to put the waypoints beside.
std::optional<std::string> wayPointFileName(std::string_view trackPath);

// Six characters from a photo's file name: the name without its four-character extension, its last
// six characters, blanks to the right. A name of fewer than four characters has no extension and is
// taken whole.
std::string wayPointName(std::string_view photoName);

// The file's header followed by the reference record of `reference`, the first matched photo.
std::string headerAndReference(const WayPoint& reference);

// One waypoint record for a matched photo's slot.
std::string wayPointRecord(const WayPoint& slot);

// The records of photos 1..`photoCount` that matched, in photo order, behind the header and the
// reference record; nothing when no photo matched.
std::vector<std::string> wayPointFileParts(const WayPoints& slots, double photoCount);

// Comments longer than a length byte can say are cut to this many bytes.
inline constexpr std::size_t kMaxCommentBytes = 255;

} // namespace pelmark
