#include "qtplatform/FileTimes.h"

#include "base/FileSlot.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmark {

namespace {

constexpr long long kTicksPerSecond = 10'000'000;
// 1601-01-01 to 1970-01-01.
constexpr long long kTicksBeforeUnixEpoch = 116'444'736'000'000'000;

} // namespace

timespec timespecOf(FileTime time) {
    timespec moment{};
    if (time == 0) {
        moment.tv_nsec = UTIME_OMIT;
        return moment;
    }
    // Unsigned arithmetic keeps times beyond the signed range well defined; before 1970 the seconds
    // are negative and the nanoseconds still count forwards.
    long long ticks = static_cast<long long>(time - static_cast<FileTime>(kTicksBeforeUnixEpoch));
    long long seconds = ticks / kTicksPerSecond;
    long long rest = ticks % kTicksPerSecond;
    if (rest < 0) {
        rest += kTicksPerSecond;
        --seconds;
    }
    moment.tv_sec = static_cast<time_t>(seconds);
    moment.tv_nsec = static_cast<long>(rest * 100);
    return moment;
}

bool setAccessAndWriteTimes(const std::string& path, FileTime lastAccess, FileTime lastWrite,
                            TimeRecord* record) {
    // Opening for writing first keeps the rule that a file we may not write keeps its times; only a
    // regular file is opened, and without waiting for a FIFO's reader.
    int fd = openRegularFile(path, O_WRONLY);
    if (fd < 0) return false;
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    // The superuser may open anything for writing; a file marked read-only keeps its times all the same.
    struct stat info {};
    if (::fstat(fd, &info) != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    if (lastAccess == 0 && lastWrite == 0) return true; // nothing to change, nothing to keep
    if (record) record->keep(fd, path);
    const timespec times[2] = {timespecOf(lastAccess), timespecOf(lastWrite)};
    const bool ok = ::futimens(fd, times) == 0;
    // Someone else's file may be writable and still refuse new times: then nothing changed, and the
    // record must not promise a restore that would fail for ever.
    if (record && !ok) record->withdraw();
    if (record && ok) record->left(fd);
    return ok;
}

} // namespace pelmark
