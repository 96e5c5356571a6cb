#pragma once

#include <string>
#include <string_view>

namespace pelmark {

// Writes `bytes` as the waypoint file `target` in one go: into a new file beside it that no one else
// can reach, synced to the disk, then renamed over the old name. Throws PelmarkError (FileWrite) with
// the writer's message, leaving an existing file as it was.
void writeNewFile(const std::string& target, std::string_view bytes);

} // namespace pelmark
