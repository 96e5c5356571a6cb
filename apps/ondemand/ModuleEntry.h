#pragma once

#include <string>

namespace pelmark::ondemand {

// Loads the module `fileName` (beside the program in the build tree, at `fromProgram`, a path relative to
// the program's folder, where the install put it) and answers its symbol `entry`; null, with the reason
// in `failure`, when neither loads or has the symbol. A loaded module stays loaded.
void* moduleEntry(const char* fileName, const char* fromProgram, const char* entry, std::string& failure);

} // namespace pelmark::ondemand
