#pragma once

#include "qtplatform/TimeRecord.h"

#include <iosfwd>
#include <vector>

namespace pelmark::restore {

// Puts back the sidecars on `record`: removes those `pelmark geotag` made, and gives those it changed
// their bytes and permission bits from before, each from its first line (the state before the first
// change). `dryRun` says on `out` what would be done and keeps every line.
struct SidecarsRestored {
    std::vector<RecordedSidecar> remaining; // lines of sidecars that could not be put back (named on `err`)
    std::vector<std::string> spentCopies;   // to remove once the record no longer names them
};
SidecarsRestored restoreSidecars(const TimeRecord& record, const std::vector<RecordedSidecar>& lines,
                                 bool dryRun, std::ostream& out, std::ostream& err);

} // namespace pelmark::restore
