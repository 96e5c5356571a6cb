#include "geotag/GeotagOutputs.h"

#include "base/Error.h"
#include "ondemand/FormatsModule.h"
#include "qtplatform/TimeRecord.h"
#include "waypoints/NewFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmark::geotag {

namespace {

// Larger than any sidecar a photo program writes; a file past it is not read into memory.
constexpr off_t kLargestSidecar = 16 << 20;

struct Existing {
    std::optional<std::string> bytes; // nothing: no sidecar yet
    unsigned mode = 0;
};

// What stands at `path`, read without following a link; the reason when it is nothing to build on.
std::optional<std::string> readExisting(const std::string& path, Existing& existing) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        return errno == ELOOP ? std::string("a symbolic link stands there")
                              : std::string(std::strerror(errno));
    }
    struct stat status {};
    std::optional<std::string> why;
    if (::fstat(fd, &status) != 0)
        why = std::strerror(errno);
    else if (!S_ISREG(status.st_mode))
        why = "it is not a plain file";
    else if (status.st_size > kLargestSidecar)
        why = "it is larger than any sidecar";
    std::string bytes;
    char buffer[65536];
    ssize_t n = 0;
    while (!why && (n = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(n));
    if (!why && n < 0) why = std::strerror(errno);
    ::close(fd);
    existing = {std::move(bytes), static_cast<unsigned>(status.st_mode & 07777)};
    return why;
}

std::string writeGpx(const std::vector<PlacedPhoto>& photos, const std::string& file, bool dryRun,
                     OutputsDone& done, std::ostream& err) {
    const std::string count = std::to_string(photos.size()) + " waypoints";
    if (dryRun) return "GPX file: not written (a dry run writes nothing), would hold " + count;
    const int error = replaceFile(file, ondemand::formatWriters().gpxWaypoints(photos));
    if (error == 0) return "GPX file: " + file + ", " + count;
    done.failed = true;
    const std::string why = error > 0 ? std::strerror(error) : "write error";
    err << "pelmark geotag: cannot write the GPX file " << file << ": " << why << "\n";
    return "GPX file: not written: " + why;
}

std::string writeSidecars(const std::vector<PlacedPhoto>& photos, const OutputRequest& request, bool dryRun,
                          OutputsDone& done, std::ostream& err) {
    const ondemand::FormatWriters& writers = ondemand::formatWriters();
    TimeRecord record = TimeRecord::forSettingsFolder(request.settingsFolder);
    int made = 0, changed = 0, kept = 0, failed = 0;
    std::set<std::string> taken;
    for (const PlacedPhoto& photo : photos) {
        const std::string path = writers.sidecarPath(photo.path, request.fullNames);
        const auto fail = [&](const std::string& why) {
            err << "pelmark geotag: sidecar " << path << " not written: " << why << "\n";
            ++failed;
        };
        // "P1.JPG" and "P1.ORF" share "P1.xmp": the first photo's place goes there, and no other.
        if (!taken.insert(path).second) {
            fail("another photo of this run has the same sidecar (--xmp=full gives each its own)");
            continue;
        }
        Existing existing;
        if (auto why = readExisting(path, existing)) {
            fail(*why);
            continue;
        }
        SidecarUpdate update;
        try {
            update = writers.sidecarWithPosition(existing.bytes, photo, request.overwrite);
        } catch (const PelmarkError& error) {
            fail(error.what());
            continue;
        }
        if (!update.changed) {
            ++kept;
            continue;
        }
        if (!dryRun) {
            try {
                record.keepSidecar(path, existing.bytes, existing.mode);
            } catch (const PelmarkError& error) {
                fail(error.what());
                continue;
            }
            const std::optional<unsigned> mode = existing.bytes ? std::optional(existing.mode) : std::nullopt;
            if (const int error = replaceFile(path, update.bytes, mode); error != 0) {
                record.withdraw();
                fail(error > 0 ? std::strerror(error) : "write error");
                continue;
            }
        }
        ++(existing.bytes ? changed : made);
    }
    done.failed = done.failed || failed > 0;
    return std::string("XMP sidecars") + (dryRun ? " (a dry run writes nothing, it would write)" : "") +
           ": " + std::to_string(made) + " new, " + std::to_string(changed) + " changed, " +
           std::to_string(kept) + " kept their own position, " + std::to_string(failed) + " not written";
}

} // namespace

OutputsDone writeOutputs(const std::vector<PlacedPhoto>& photos, const OutputRequest& request, bool dryRun,
                         std::ostream& err) {
    OutputsDone done;
    if (request.gpx) done.lines.push_back(writeGpx(photos, *request.gpx, dryRun, done, err));
    if (request.xmp) done.lines.push_back(writeSidecars(photos, request, dryRun, done, err));
    return done;
}

} // namespace pelmark::geotag
