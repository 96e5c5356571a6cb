#include "waypoints/NewFile.h"

#include "base/Error.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace pelmark {

void writeNewFile(const std::string& target, std::string_view bytes) {
    const auto slash = target.rfind('/');
    std::string partial = target.substr(0, slash + 1) + "." + target.substr(slash + 1) + ".XXXXXX";
    const auto fail = [&](const std::string& reason) {
        throw PelmarkError(ErrorKind::FileWrite,
                           "Die Wegpunktdatei " + target + " konnte nicht geschrieben werden: " + reason);
    };
    const int fd = ::mkstemp(partial.data());
    if (fd < 0) fail(std::strerror(errno));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    const int error = done < bytes.size() || ::fsync(fd) != 0 ? (errno != 0 ? errno : EIO) : 0;
    ::close(fd);
    if (error == 0 && ::rename(partial.c_str(), target.c_str()) == 0) return;
    const std::string reason = std::strerror(error != 0 ? error : errno);
    ::unlink(partial.c_str());
    fail(reason);
}

} // namespace pelmark
