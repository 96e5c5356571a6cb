#include "waypoints/WayPointWriter.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "waypoints/WayPointFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/random.h>
#include <unistd.h>
#include <vector>

namespace pelmark {

namespace {

std::string systemReason() {
    return errno != 0 ? std::strerror(errno) : "Schreibfehler";
}

// The new waypoint file, made where no one else can reach it before it is complete. Where the file
// system allows, it has no name at all until it is published (O_TMPFILE), so a program ended by a
// signal leaves nothing behind; elsewhere it is made exclusively under a random hidden name
// (".NAME.wp.XXXXXXXXXXXX.part"), which fails rather than follow a link someone planted there.
// `keep_` is our own handle: the Stop button closes the file slot's, and the file must outlive that.
class NewFile {
public:
    explicit NewFile(const std::string& target) : target_(target) {
        const auto slash = target.rfind('/');
        folder_ = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
        hiddenStart_ = target.substr(0, slash == std::string::npos ? 0 : slash + 1) + "." +
                       target.substr(slash == std::string::npos ? 0 : slash + 1) + ".";
        label_ = hiddenStart_ + randomPart() + ".part";
    }
    ~NewFile() {
        if (keep_ >= 0) ::close(keep_);
        if (named_) ::unlink(label_.c_str());
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // The name the file slot knows the new file by (a name on disk only when `named_`).
    const std::string& label() const { return label_; }

    // A handle for the file slot; -1 with errno set when the file cannot be made.
    int create() {
        int fd = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return -1;
        for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
            if (attempt > 0) label_ = hiddenStart_ + randomPart() + ".part";
            fd = ::open(label_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            named_ = fd >= 0;
            if (fd < 0 && errno != EEXIST) return -1;
        }
        if (fd < 0) return -1;
        keep_ = ::dup(fd);
        if (keep_ < 0) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    // To the disk, then under the target's name. False with errno set when that fails.
    bool publish() {
        if (::fsync(keep_) != 0) return false;
        for (int attempt = 0; !named_ && attempt < 16; ++attempt) {
            if (attempt > 0) label_ = hiddenStart_ + randomPart() + ".part";
            // Linking an unnamed file wants a capability as an empty path, none through /proc.
            named_ = ::linkat(keep_, "", AT_FDCWD, label_.c_str(), AT_EMPTY_PATH) == 0 ||
                     ::linkat(AT_FDCWD, ("/proc/self/fd/" + std::to_string(keep_)).c_str(), AT_FDCWD,
                              label_.c_str(), AT_SYMLINK_FOLLOW) == 0;
            if (!named_ && errno != EEXIST) return false;
        }
        if (!named_ || ::rename(label_.c_str(), target_.c_str()) != 0) return false;
        named_ = false;
        return true;
    }

private:
    static std::string randomPart() {
        static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        unsigned char bytes[12];
        if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
            std::random_device device;
            for (unsigned char& byte : bytes)
                byte = static_cast<unsigned char>(device());
        }
        std::string part;
        for (unsigned char byte : bytes)
            part += kLetters[byte % (sizeof kLetters - 1)];
        return part;
    }

    std::string target_, folder_, hiddenStart_, label_;
    int keep_ = -1;
    bool named_ = false;
};

[[noreturn]] void failWriting(FileSlot& file, const NewFile& created, const std::string& target,
                              const std::string& reason) {
    if (file.path() == created.label()) file.close();
    throw PelmarkError(ErrorKind::FileWrite,
                       "Die Wegpunktdatei " + target + " konnte nicht geschrieben werden: " + reason);
}

} // namespace

bool WayPointWriter::garTripPressed() const {
    for (const ToolButton& button : context_.surface.get(ElementId::Toolbar2).buttons)
        if (button.key == kGarTripKey) return button.pressed;
    return false;
}

void WayPointWriter::printWayPointList() {
    // Writing while another job yields would write the slots that job is still filling.
    Jobs::Scope job(context_.jobs, Job::WayPointWriter);
    job.throwIfRefused();
    // A Stop earlier in a one-step run ends the chain before anything is written.
    if (context_.stop.requested()) return;
    Surface& surface = context_.surface;
    const std::string trackPath = surface.text(ElementId::PathTxt);
    const int reference = run_.referencePhoto();
    if (reference == 0) return;
    const auto target = wayPointFileName(trackPath);
    if (!target)
        throw PelmarkError(ErrorKind::FileWrite, "Keine Trackdatei, neben die die Wegpunktdatei kommt");

    // The records are made before the first yield: a run started meanwhile cannot mix two tables.
    const WayPoints& slots = run_.wayPoints();
    const double photos = run_.photoCount();
    std::vector<std::string> records;
    for (int i = 1; i <= photos && WayPoints::holds(i); ++i)
        if (slots.matched(i)) records.push_back(wayPointRecord(slots.slot(i)));

    FileSlot& file = context_.file;
    // The slot belongs to whoever yields with it open; their file stays theirs.
    if (file.isOpen()) throw PelmarkError(ErrorKind::Busy, "Another operation is using the file");
    NewFile created(*target);
    errno = 0;
    const int fd = created.create();
    if (fd < 0) failWriting(file, created, *target, systemReason());
    file.adoptForWriting(fd, created.label());
    if (!file.write(headerAndReference(slots.slot(reference))))
        failWriting(file, created, *target, systemReason());

    bool stopped = false;
    for (const std::string& record : records) {
        if (!file.write(record)) failWriting(file, created, *target, systemReason());
        if (context_.yieldAndTestStop()) {
            stopped = true;
            break;
        }
        // Only the Stop button closes the slot; anyone else who took it has cut our file short.
        if (file.path() != created.label())
            failWriting(file, created, *target, "die Datei wurde von einem anderen Vorgang geschlossen");
    }
    // After a Stop the button has closed the slot's handle with the last whole record; our own handle
    // still holds the file.
    if (file.path() == created.label()) file.close();
    errno = 0;
    if (!created.publish()) failWriting(file, created, *target, systemReason());
    if (stopped || !garTripPressed()) return;
    startGarTrip_(*target);
    startGarTrip_(trackPath);
}

void showWayPointError(Context& context, const PelmarkError& error) {
    context.platform.messageBox(error.what(), MessageButtons::Ok,
                                error.kind() == ErrorKind::ProcessStart ? "Veltora - GarTrip"
                                                                        : "Veltora - Wegpunktdatei");
}

} // namespace pelmark
