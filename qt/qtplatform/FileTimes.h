#pragma once

#include "platform/Platform.h"
#include "qtplatform/TimeRecord.h"

#include <ctime>
#include <string>

namespace pelmark {

// A file time (100-ns intervals since 1601-01-01 UTC) as a POSIX time; 0 becomes "leave as it is".
timespec timespecOf(FileTime time);

// Sets a file's last access and last write times; a zero leaves that time as it is. Linux keeps no
// settable creation time, so there is none to pass. False when the file cannot be opened for writing
// (missing, a folder, or read-only: no write permission for anyone, which stops the superuser too) or
// the times cannot be set. With a `record`, the times the file had are kept there before any change;
// when that fails the file keeps its times and the PelmarkError reaches the caller.
bool setAccessAndWriteTimes(const std::string& path, FileTime lastAccess, FileTime lastWrite,
                            TimeRecord* record = nullptr);

} // namespace pelmark
