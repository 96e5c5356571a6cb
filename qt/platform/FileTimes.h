#pragma once

#include "platform/Platform.h"

#include <ctime>
#include <string>

namespace pelmark {

// A file time (100-ns intervals since 1601-01-01 UTC) as a POSIX time; 0 becomes "leave as it is".
timespec timespecOf(FileTime time);

// Sets a file's last access and last write times; a zero leaves that time as it is. Linux keeps no
// settable creation time, so there is none to pass. False when the file cannot be opened for writing
// (missing, read-only, a folder) or the times cannot be set.
bool setAccessAndWriteTimes(const std::string& path, FileTime lastAccess, FileTime lastWrite);

} // namespace pelmark
