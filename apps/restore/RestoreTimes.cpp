#include "restore/RestoreTimes.h"

#include "qtplatform/TimeRecord.h"
#include "restore/RestoreSidecars.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmark::restore {

namespace {

constexpr const char* kUsage = "usage: pelmark restore-times [--dry-run] [--settings DIR]\n";

std::string universalTime(const timespec& time) {
    std::tm parts{};
    time_t seconds = time.tv_sec;
    if (!::gmtime_r(&seconds, &parts)) return std::to_string(static_cast<long long>(time.tv_sec)) + " s";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%09ld UTC", parts.tm_year + 1900,
                  parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec, time.tv_nsec);
    return buffer;
}

std::string timesText(const RecordedTimes& times) {
    return "access " + universalTime(times.access) + ", modification " + universalTime(times.modification);
}

} // namespace

int runRestoreTimes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool dryRun = false;
    std::string settingsFolder;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--dry-run") {
            dryRun = true;
        } else if (args[i] == "--settings" && i + 1 < args.size()) {
            settingsFolder = args[++i];
        } else if (args[i] == "--help") {
            out << kUsage
                << "Gives the photos whose file times the control set from their EXIF dates the times they\n"
                   "had before, and puts back the XMP sidecars `pelmark geotag` wrote: removes those it "
                   "made,\n"
                   "restores those it changed byte for byte. --dry-run lists what would be done and changes\n"
                   "nothing; --settings DIR reads the record kept beside the settings store in DIR, as\n"
                   "`pelmark console --settings DIR` keeps it.\n";
            return 0;
        } else {
            err << "pelmark restore-times: unknown argument " << args[i] << "\n" << kUsage;
            return 2;
        }
    }

    TimeRecord record = TimeRecord::forSettingsFolder(settingsFolder);
    std::vector<UnreadableLine> unreadable;
    std::vector<RecordedSidecar> sidecars;
    const std::vector<RecordedTimes> lines = record.read(&unreadable, &sidecars);
    // A line that cannot be read may hold a file's only original times: the person has to hear of it.
    for (const UnreadableLine& line : unreadable)
        err << "cannot read line " << line.number << " of " << record.file() << ": " << line.text << "\n";
    if (lines.empty() && unreadable.empty() && sidecars.empty()) {
        out << "no file times on record in " << record.file() << "\n";
        return 0;
    }

    // The first line of a file holds the times it had before the control first touched it; later
    // lines hold times the control had set itself.
    std::set<std::string> seen;
    std::set<std::string> failed;
    for (const RecordedTimes& times : lines) {
        if (!seen.insert(times.path).second) continue;
        if (dryRun) {
            out << "would restore " << times.path << ": " << timesText(times) << "\n";
            continue;
        }
        // A link put where the file was would hand its target the recorded times: links are left
        // alone, and the times go to the name itself, never through a link.
        const timespec values[2] = {times.access, times.modification};
        struct stat status {};
        const bool link = ::lstat(times.path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
        if (!link && ::utimensat(AT_FDCWD, times.path.c_str(), values, AT_SYMLINK_NOFOLLOW) == 0) {
            out << "restored " << times.path << ": " << timesText(times) << "\n";
        } else {
            err << "cannot restore " << times.path << ": "
                << (link ? "it is a symbolic link" : std::strerror(errno)) << "\n";
            failed.insert(times.path);
        }
    }
    const SidecarsRestored restored = restoreSidecars(record, sidecars, dryRun, out, err);
    if (dryRun) return unreadable.empty() ? 0 : 1;

    // Files put back leave the record; the others stay for another try.
    std::vector<RecordedTimes> remaining;
    for (const RecordedTimes& times : lines)
        if (failed.count(times.path)) remaining.push_back(times);
    try {
        record.rewrite(remaining, unreadable, restored.remaining);
    } catch (const std::exception& error) {
        err << "pelmark restore-times: " << error.what() << "\n";
        return 1;
    }
    // Copies of sidecars put back go only once no line of the record needs them.
    for (const std::string& copy : restored.spentCopies)
        ::unlink(copy.c_str());
    // Their folder goes too once empty; a failure to remove it only means something is still there.
    if (!restored.spentCopies.empty())
        ::rmdir(std::filesystem::path(restored.spentCopies.front()).parent_path().c_str());
    return failed.empty() && unreadable.empty() && restored.remaining.empty() ? 0 : 1;
}

} // namespace pelmark::restore
