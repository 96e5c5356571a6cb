#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pelmark::restore {

// `pelmark restore-times [--dry-run] [--settings DIR]`: gives every file on the time record the times
// it had before the control first changed them. `args` are the words after the command. Answers the
// exit code: 0 when every file got its times back, 1 when some could not, 2 for a usage error.
int runRestoreTimes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace pelmark::restore
