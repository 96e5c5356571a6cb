#include "restore/RestoreSidecars.h"

#include "waypoints/NewFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <optional>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmark::restore {

namespace {

std::optional<std::string> contentOf(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    if (n < 0) return std::nullopt;
    return bytes;
}

// Why nothing can be put at `path` now, or nothing when it may be: only a plain file is replaced or
// removed, never a link someone put there, or what it points to.
std::optional<std::string> standingInTheWay(const std::string& path, bool& exists) {
    struct stat status {};
    exists = ::lstat(path.c_str(), &status) == 0;
    if (!exists) return errno == ENOENT ? std::nullopt : std::optional<std::string>(std::strerror(errno));
    if (S_ISLNK(status.st_mode)) return "a symbolic link stands there now";
    if (!S_ISREG(status.st_mode)) return "something other than a file stands there now";
    return std::nullopt;
}

// Puts back one sidecar; the reason when it could not.
std::optional<std::string> putBack(const TimeRecord& record, const RecordedSidecar& first,
                                   std::ostream& out) {
    bool exists = false;
    if (auto why = standingInTheWay(first.path, exists)) return why;
    if (first.copy.empty()) {
        if (exists && ::unlink(first.path.c_str()) != 0) return std::string(std::strerror(errno));
        out << (exists ? "removed " : "gone already: ") << first.path << "\n";
        return std::nullopt;
    }
    const std::optional<std::string> before = contentOf(record.copyPath(first));
    if (!before) return "its copy " + record.copyPath(first) + " cannot be read";
    if (const int error = replaceFile(first.path, *before, first.mode); error != 0)
        return std::string(error > 0 ? std::strerror(error) : "write error");
    out << "restored " << first.path << " as it was\n";
    return std::nullopt;
}

} // namespace

SidecarsRestored restoreSidecars(const TimeRecord& record, const std::vector<RecordedSidecar>& lines,
                                 bool dryRun, std::ostream& out, std::ostream& err) {
    // The first line of a path holds the sidecar as it was before `pelmark geotag` first wrote it.
    std::map<std::string, std::optional<std::string>> outcome; // path -> why it failed
    for (const RecordedSidecar& line : lines) {
        if (outcome.count(line.path)) continue;
        if (dryRun) {
            out << (line.copy.empty() ? "would remove " : "would put back as it was: ") << line.path << "\n";
            outcome[line.path] = std::nullopt;
            continue;
        }
        outcome[line.path] = putBack(record, line, out);
        if (outcome[line.path]) err << "cannot restore " << line.path << ": " << *outcome[line.path] << "\n";
    }
    if (dryRun) return {lines, {}};
    SidecarsRestored restored;
    for (const RecordedSidecar& line : lines) {
        if (outcome[line.path])
            restored.remaining.push_back(line);
        else if (!line.copy.empty())
            restored.spentCopies.push_back(record.copyPath(line));
    }
    return restored;
}

} // namespace pelmark::restore
