#include "qtplatform/TimeRecord.h"

#include "base/Error.h"
#include "base/FileSlot.h"
#include "qtplatform/CoreServices.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace pelmark {

namespace {

constexpr const char* kFileName = "file-times.txt";

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

std::string timeText(const timespec& time) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%lld.%09ld", static_cast<long long>(time.tv_sec), time.tv_nsec);
    return buffer;
}

std::optional<timespec> parseTime(const std::string& text) {
    long long seconds = 0;
    long nanoseconds = 0;
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%lld.%9ld%n", &seconds, &nanoseconds, &consumed) != 2 ||
        consumed != static_cast<int>(text.size()) || text.size() < 11 || text[text.size() - 10] != '.' ||
        nanoseconds < 0)
        return std::nullopt;
    timespec time{};
    time.tv_sec = static_cast<time_t>(seconds);
    time.tv_nsec = nanoseconds;
    return time;
}

std::string escapedPath(const std::string& path) {
    std::string text;
    for (char c : path) {
        if (c == '\\')
            text += "\\\\";
        else if (c == '\n')
            text += "\\n";
        else
            text += c;
    }
    return text;
}

// The path at the end of a line; only an absolute one names the same file wherever restoring runs.
std::optional<std::string> unescapedPath(std::string_view text) {
    std::string path;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            path += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        if (text[i] == 'n')
            path += '\n';
        else if (text[i] == '\\')
            path += '\\';
        else
            return std::nullopt;
    }
    if (path.empty() || path[0] != '/') return std::nullopt;
    return path;
}

constexpr std::string_view kNewSidecar = "sidecar new ";
constexpr std::string_view kChangedSidecar = "sidecar was ";
constexpr const char* kCopiesFolder = "sidecars";

// A copy's name is made here of letters, digits, '-' and '.', so it stands in a line without escapes.
bool isCopyName(std::string_view name) {
    return !name.empty() && name[0] != '.' &&
           name.find_first_not_of("abcdefghijklmnopqrstuvwxyz"
                                  "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-.") == std::string_view::npos;
}

} // namespace

TimeRecord TimeRecord::forSettingsFolder(const std::string& folder) {
    if (!folder.empty()) return TimeRecord(folder + "/Pelmark/" + kFileName);
    return TimeRecord(std::string());
}

const std::string& TimeRecord::file() const {
    // The user's record: the data folder is looked up when the record is first used, as most sessions
    // never set a file time.
    if (file_.empty()) file_ = coreServices().userDataFolder() + "/Pelmark/" + kFileName;
    return file_;
}

std::string TimeRecord::lineOf(const RecordedTimes& times) {
    return timeText(times.access) + " " + timeText(times.modification) + " " + escapedPath(times.path);
}

std::optional<RecordedTimes> TimeRecord::parseLine(const std::string& line) {
    auto first = line.find(' ');
    auto second = first == std::string::npos ? first : line.find(' ', first + 1);
    if (second == std::string::npos) return std::nullopt;
    auto access = parseTime(line.substr(0, first));
    auto modification = parseTime(line.substr(first + 1, second - first - 1));
    if (!access || !modification) return std::nullopt;
    auto path = unescapedPath(std::string_view(line).substr(second + 1));
    if (!path) return std::nullopt;
    return RecordedTimes{std::move(*path), *access, *modification};
}

std::string TimeRecord::sidecarLineOf(const RecordedSidecar& sidecar) {
    if (sidecar.copy.empty()) return std::string(kNewSidecar) + escapedPath(sidecar.path);
    char mode[16];
    std::snprintf(mode, sizeof mode, "%04o", sidecar.mode & 07777u);
    return std::string(kChangedSidecar) + mode + " " + sidecar.copy + " " + escapedPath(sidecar.path);
}

std::optional<RecordedSidecar> TimeRecord::parseSidecarLine(const std::string& line) {
    const std::string_view text = line;
    RecordedSidecar sidecar;
    std::string_view rest;
    if (text.starts_with(kNewSidecar)) {
        rest = text.substr(kNewSidecar.size());
    } else if (text.starts_with(kChangedSidecar)) {
        rest = text.substr(kChangedSidecar.size());
        const auto modeEnd = rest.find(' ');
        const auto copyEnd = modeEnd == std::string_view::npos ? modeEnd : rest.find(' ', modeEnd + 1);
        if (copyEnd == std::string_view::npos || modeEnd != 4 ||
            rest.substr(0, 4).find_first_not_of("01234567") != std::string_view::npos)
            return std::nullopt;
        sidecar.mode = static_cast<unsigned>(std::stoul(std::string(rest.substr(0, 4)), nullptr, 8));
        sidecar.copy = rest.substr(modeEnd + 1, copyEnd - modeEnd - 1);
        if (!isCopyName(sidecar.copy)) return std::nullopt;
        rest = rest.substr(copyEnd + 1);
    } else {
        return std::nullopt;
    }
    auto path = unescapedPath(rest);
    if (!path) return std::nullopt;
    sidecar.path = std::move(*path);
    return sidecar;
}

std::string TimeRecord::copyPath(const RecordedSidecar& sidecar) const {
    return std::filesystem::path(file()).parent_path().string() + "/" + kCopiesFolder + "/" + sidecar.copy;
}

void TimeRecord::keep(int fd, const std::string& path) {
    lastLineStart_.reset();
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        throw PelmarkError(ErrorKind::FileRead,
                           "cannot read the times of " + path + ": " + std::strerror(errno));
    if (lastLeft_ && lastLeft_->device == info.st_dev && lastLeft_->inode == info.st_ino &&
        sameTime(lastLeft_->access, info.st_atim) && sameTime(lastLeft_->modification, info.st_mtim))
        return;

    // The line reaches the disk before the times change: a crash in between loses no original time.
    if (!append(lineOf({path, info.st_atim, info.st_mtim}) + "\n"))
        throw PelmarkError(ErrorKind::FileWrite,
                           "cannot keep the times of " + path + " in " + file() + " before changing them");
}

bool TimeRecord::append(std::string line) {
    lastLineStart_.reset();
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(file()).parent_path(), ignored);
    int record = ::open(file().c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat before {};
    bool written = record >= 0 && ::fstat(record, &before) == 0 && S_ISREG(before.st_mode);
    if (written) {
        // A fragment that some other program left at the end stays a line of its own.
        char last = '\n';
        if (before.st_size > 0 && ::pread(record, &last, 1, before.st_size - 1) != 1) last = '\n';
        if (last != '\n') line.insert(line.begin(), '\n');
        written = ::lseek(record, before.st_size, SEEK_SET) == before.st_size && writeAll(record, line) &&
                  ::fsync(record) == 0;
        // A full disk takes part of a line: what it took goes, so the next line is not joined to it.
        if (!written && ::ftruncate(record, before.st_size) == 0) ::fsync(record);
    }
    if (record >= 0) written = ::close(record) == 0 && written;
    if (written) lastLineStart_ = before.st_size;
    return written;
}

void TimeRecord::keepSidecar(const std::string& path, const std::optional<std::string>& before,
                             unsigned mode) {
    lastLineStart_.reset();
    lastCopy_.clear();
    RecordedSidecar sidecar{path, {}, mode};
    const auto fail = [&](const std::string& why) {
        throw PelmarkError(ErrorKind::FileWrite, "cannot keep the sidecar " + path + " " + why + " in " +
                                                     file() + " before writing it");
    };
    if (before) {
        // The copy is private, as the record is: a sidecar may say where someone was.
        const std::string folder = std::filesystem::path(file()).parent_path().string() + "/" + kCopiesFolder;
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        int copy = -1;
        for (unsigned attempt = 0; copy < 0 && attempt < 100; ++attempt) {
            timespec now{};
            ::clock_gettime(CLOCK_REALTIME, &now);
            sidecar.copy = std::to_string(now.tv_sec) + "-" + std::to_string(now.tv_nsec) + "-" +
                           std::to_string(::getpid()) + ".xmp";
            copy = ::open((folder + "/" + sidecar.copy).c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (copy < 0 && errno != EEXIST) break;
        }
        if (copy < 0) fail("as it was");
        bool written = writeAll(copy, *before) && ::fsync(copy) == 0;
        written = ::close(copy) == 0 && written;
        if (!written) {
            ::unlink(copyPath(sidecar).c_str());
            fail("as it was");
        }
    }
    if (!append(sidecarLineOf(sidecar) + "\n")) {
        if (before) ::unlink(copyPath(sidecar).c_str());
        fail("on record");
    }
    if (before) lastCopy_ = copyPath(sidecar);
}

void TimeRecord::withdraw() {
    if (!lastLineStart_) return;
    int record = ::open(file().c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (record >= 0) {
        if (::ftruncate(record, *lastLineStart_) == 0) ::fsync(record);
        ::close(record);
    }
    lastLineStart_.reset();
    if (!lastCopy_.empty()) ::unlink(lastCopy_.c_str());
    lastCopy_.clear();
}

void TimeRecord::left(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        lastLeft_.reset();
        return;
    }
    lastLeft_ = Identity{info.st_dev, info.st_ino, info.st_atim, info.st_mtim};
}

std::vector<RecordedTimes> TimeRecord::read(std::vector<UnreadableLine>* unreadable,
                                            std::vector<RecordedSidecar>* sidecars) const {
    std::vector<RecordedTimes> lines;
    std::ifstream in(file(), std::ios::binary);
    std::size_t number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (auto times = parseLine(line))
            lines.push_back(std::move(*times));
        else if (auto sidecar = parseSidecarLine(line); sidecar && sidecars)
            sidecars->push_back(std::move(*sidecar));
        else if (sidecar)
            continue;
        else if (unreadable && !line.empty())
            unreadable->push_back({number, line});
    }
    return lines;
}

void TimeRecord::rewrite(const std::vector<RecordedTimes>& lines,
                         const std::vector<UnreadableLine>& unreadable,
                         const std::vector<RecordedSidecar>& sidecars) const {
    if (lines.empty() && unreadable.empty() && sidecars.empty()) {
        std::error_code ignored;
        std::filesystem::remove(file(), ignored);
        return;
    }
    std::string text;
    for (const RecordedTimes& times : lines)
        text += lineOf(times) + "\n";
    for (const RecordedSidecar& sidecar : sidecars)
        text += sidecarLineOf(sidecar) + "\n";
    // Lines no one can read now may still tell a person what a file's times were.
    for (const UnreadableLine& line : unreadable)
        text += line.text + "\n";
    // Written aside and renamed over the record, so a failure leaves the old record whole.
    const std::string aside = file() + ".new";
    ::unlink(aside.c_str());
    int out = ::open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    bool written = out >= 0 && ::fchmod(out, 0600) == 0 && writeAll(out, text) && ::fsync(out) == 0;
    if (out >= 0) written = ::close(out) == 0 && written;
    if (!written) {
        ::unlink(aside.c_str());
        throw PelmarkError(ErrorKind::FileWrite, "cannot write " + aside);
    }
    std::error_code error;
    std::filesystem::rename(aside, file(), error);
    if (error) throw PelmarkError(ErrorKind::FileWrite, "cannot replace " + file() + ": " + error.message());
}

} // namespace pelmark
