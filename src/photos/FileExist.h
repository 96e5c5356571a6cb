#pragma once

#include <string>

namespace pelmark {

// `FileExist`: true for the name of an existing plain file (a link to one counts); false for a folder,
// a missing name, the empty name, or any failure of the lookup. The name is taken literally, with no
// wildcards.
bool fileExist(const std::string& name);

} // namespace pelmark
