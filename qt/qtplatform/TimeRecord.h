#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace pelmark {

// The times a file had before the control changed them.
struct RecordedTimes {
    std::string path;
    timespec access{};
    timespec modification{};
};

// A sidecar that `pelmark geotag` wrote: new where none stood, or changed, its bytes from before
// kept in the file `copy` of the record's folder for sidecars (`copyPath`), with their permission
// bits.
struct RecordedSidecar {
    std::string path;
    std::string copy; // empty: the sidecar is new
    unsigned mode = 0;
};

// A line of the record that names no file and times, with its number (from 1) and its text.
struct UnreadableLine {
    std::size_t number = 0;
    std::string text;
};

// The record of file times that the control keeps before it changes a file's times, so that
// `pelmark restore-times` can put them back: a text file, one line per file, appended and flushed
// before each change. A line is "ACCESS MODIFICATION PATH", each time as seconds.nanoseconds since
// 1970 in universal time, the absolute path with "\\" and "\n" escaped. Sidecars have lines of
// their own kind, "sidecar new PATH" and "sidecar was MODE COPY PATH", which a record of times
// alone shows as lines it cannot read, and keeps. A line is written whole or not at all, and always
// starts a line of its own, so a line damaged some other way never hides the lines after it.
class TimeRecord {
public:
    // An empty `file`: the one in the user's data folder.
    explicit TimeRecord(std::string file) : file_(std::move(file)) {}

    // The record beside the settings store kept in `folder`, or, for an empty folder, the one in the
    // user's data folder.
    static TimeRecord forSettingsFolder(const std::string& folder);

    const std::string& file() const;

    // Appends the times of the open file `fd` named `path`, unless they are the very times this record
    // last saw the control leave on that file (its earlier times are on record then). Throws
    // PelmarkError (FileWrite) when the line cannot be written and flushed; the record is then as it
    // was.
    void keep(int fd, const std::string& path);
    // Tells the record what the control left on the file, after it set the times.
    void left(int fd);
    // Before a sidecar is written at `path`: its bytes until now (none: there was no sidecar) and their
    // permission bits. The bytes reach a copy beside the record, and the line the record, before this
    // returns; throws PelmarkError (FileWrite) when they cannot, and the record is then as it was.
    void keepSidecar(const std::string& path, const std::optional<std::string>& before, unsigned mode);
    // Takes back the line the last `keep` or `keepSidecar` wrote: the file's times could not be
    // changed, or the sidecar written, after all.
    void withdraw();

    std::string copyPath(const RecordedSidecar& sidecar) const;

    // The lines of times on record, in the order written, in `sidecars` the sidecars' lines, and in
    // `unreadable` those that cannot be read. A record that does not exist holds none.
    std::vector<RecordedTimes> read(std::vector<UnreadableLine>* unreadable = nullptr,
                                    std::vector<RecordedSidecar>* sidecars = nullptr) const;
    // Replaces the record with these lines and the unreadable ones (none at all: the record is
    // removed). The record stays readable by its owner only.
    void rewrite(const std::vector<RecordedTimes>& lines, const std::vector<UnreadableLine>& unreadable = {},
                 const std::vector<RecordedSidecar>& sidecars = {}) const;

    static std::string lineOf(const RecordedTimes& times);
    static std::optional<RecordedTimes> parseLine(const std::string& line);
    static std::string sidecarLineOf(const RecordedSidecar& sidecar);
    static std::optional<RecordedSidecar> parseSidecarLine(const std::string& line);

private:
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        timespec access{};
        timespec modification{};
    };
    // Appends `line`, flushed to the disk; false when it could not be, and the record is as it was.
    bool append(std::string line);

    mutable std::string file_;
    std::optional<Identity> lastLeft_;
    // Where the line of the last `keep` begins, while it may still be withdrawn.
    std::optional<off_t> lastLineStart_;
    std::string lastCopy_; // the copy the last `keepSidecar` made, while it may be withdrawn
};

} // namespace pelmark
