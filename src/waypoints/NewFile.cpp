#include "waypoints/NewFile.h"

#include "base/Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmark {

namespace {

std::string randomPart() {
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

} // namespace

NewFile::NewFile(const std::string& target) : target_(target) {
    const auto slash = target.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    folder_ = slash == std::string::npos ? std::string(".") : target.substr(0, nameStart);
    hiddenStart_ = target.substr(0, nameStart) + "." + target.substr(nameStart) + ".";
    label_ = hiddenStart_ + randomPart() + ".part";
}

NewFile::~NewFile() {
    if (keep_ >= 0) ::close(keep_);
    if (named_) ::unlink(label_.c_str());
}

int NewFile::create() {
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

bool NewFile::publish() {
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

int replaceFile(const std::string& target, std::string_view bytes, std::optional<unsigned> mode) {
    NewFile created(target);
    errno = 0;
    const int fd = created.create();
    bool written = fd >= 0 && (!mode || ::fchmod(fd, static_cast<mode_t>(*mode)) == 0);
    for (std::size_t done = 0; written && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        written = n > 0;
        if (written) done += static_cast<std::size_t>(n);
    }
    const int writeError = errno;
    if (fd >= 0) ::close(fd);
    if (written && created.publish()) return 0;
    const int error = written ? errno : writeError;
    return error != 0 ? error : -1;
}

void writeNewFile(const std::string& target, std::string_view bytes) {
    const int error = replaceFile(target, bytes);
    if (error == 0) return;
    throw PelmarkError(ErrorKind::FileWrite, "Die Wegpunktdatei " + target +
                                                 " konnte nicht geschrieben werden: " +
                                                 (error > 0 ? std::strerror(error) : "Schreibfehler"));
}

} // namespace pelmark
