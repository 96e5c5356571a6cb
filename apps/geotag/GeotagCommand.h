#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace pelmark::geotag {

// `pelmark geotag [options] TRACK...` (GeotagOptions.h): the one-step run of the control on a track file
// and the photos of its folder, or photos placed by their instants on GPX tracks and track files, with
// a report that says for every photo what it matched or why nothing, and GPX waypoints and XMP sidecars
// when asked. Exit code 0 when a photo matched, 1 when none did or an output asked for could not be
// written, 2 for bad arguments or a track that cannot be read. A progress line goes to `err`
// when `progress` is set (standard error is a terminal).
int runGeotag(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool progress);

} // namespace pelmark::geotag
