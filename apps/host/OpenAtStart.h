#pragma once

#include <string>

namespace pelmark {
class VeltoraControl;
}

namespace pelmark::host {

// Opens the folder (a path ending in "/") or the photo's folder at that photo the way a user wants to
// see it first: with pictures shown and the photo on display. A folder scan by path turns pictures
// off, since a host scanning for data does not want them drawn; a person looking does.
void openAtStart(VeltoraControl& control, const std::string& path);

} // namespace pelmark::host
