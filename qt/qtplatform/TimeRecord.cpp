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
    std::string line = timeText(times.access) + " " + timeText(times.modification) + " ";
    for (char c : times.path) {
        if (c == '\\')
            line += "\\\\";
        else if (c == '\n')
            line += "\\n";
        else
            line += c;
    }
    return line;
}

std::optional<RecordedTimes> TimeRecord::parseLine(const std::string& line) {
    auto first = line.find(' ');
    auto second = first == std::string::npos ? first : line.find(' ', first + 1);
    if (second == std::string::npos) return std::nullopt;
    auto access = parseTime(line.substr(0, first));
    auto modification = parseTime(line.substr(first + 1, second - first - 1));
    if (!access || !modification) return std::nullopt;
    RecordedTimes times{{}, *access, *modification};
    for (std::size_t i = second + 1; i < line.size(); ++i) {
        if (line[i] != '\\') {
            times.path += line[i];
            continue;
        }
        if (++i == line.size()) return std::nullopt;
        if (line[i] == 'n')
            times.path += '\n';
        else if (line[i] == '\\')
            times.path += '\\';
        else
            return std::nullopt;
    }
    // Only an absolute path names the same file wherever restoring runs.
    if (times.path.empty() || times.path[0] != '/') return std::nullopt;
    return times;
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

    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(file()).parent_path(), ignored);
    // The line reaches the disk before the times change: a crash in between loses no original time.
    std::string line = lineOf({path, info.st_atim, info.st_mtim}) + "\n";
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
    if (!written)
        throw PelmarkError(ErrorKind::FileWrite,
                           "cannot keep the times of " + path + " in " + file() + " before changing them");
    lastLineStart_ = before.st_size;
}

void TimeRecord::withdraw() {
    if (!lastLineStart_) return;
    int record = ::open(file().c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (record >= 0) {
        if (::ftruncate(record, *lastLineStart_) == 0) ::fsync(record);
        ::close(record);
    }
    lastLineStart_.reset();
}

void TimeRecord::left(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        lastLeft_.reset();
        return;
    }
    lastLeft_ = Identity{info.st_dev, info.st_ino, info.st_atim, info.st_mtim};
}

std::vector<RecordedTimes> TimeRecord::read(std::vector<UnreadableLine>* unreadable) const {
    std::vector<RecordedTimes> lines;
    std::ifstream in(file(), std::ios::binary);
    std::size_t number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (auto times = parseLine(line))
            lines.push_back(std::move(*times));
        else if (unreadable && !line.empty())
            unreadable->push_back({number, line});
    }
    return lines;
}

void TimeRecord::rewrite(const std::vector<RecordedTimes>& lines,
                         const std::vector<UnreadableLine>& unreadable) const {
    if (lines.empty() && unreadable.empty()) {
        std::error_code ignored;
        std::filesystem::remove(file(), ignored);
        return;
    }
    std::string text;
    for (const RecordedTimes& times : lines)
        text += lineOf(times) + "\n";
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
