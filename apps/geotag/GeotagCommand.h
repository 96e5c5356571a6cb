#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace pelmark::geotag {

// `pelmark geotag TRACK [--offset SECONDS] [--ahead | --behind] [--dry-run] [--report text|json|csv]
// [--find-offset] [--gpx FILE] [--xmp[=full]] [--overwrite] [--settings DIR]`: the one-step run of the
// control on TRACK and the photos of its folder, with a report that says for every photo what it
// matched or why nothing, and GPX waypoints and XMP sidecars when asked. Exit code 0 when a photo
// matched, 1 when none did or an output asked for could not be written, 2 for bad arguments or a
// track that cannot be read. A progress line goes to `err`
// when `progress` is set (standard error is a terminal).
int runGeotag(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool progress);

} // namespace pelmark::geotag
