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

// The record of file times that the control keeps before it changes a file's times, so that
// `pelmark restore-times` can put them back: a text file, one line per file, appended and flushed
// before each change. A line is "ACCESS MODIFICATION PATH", each time as seconds.nanoseconds since
// 1970 in universal time, the path with "\\" and "\n" escaped.
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
    // PelmarkError (FileWrite) when the line cannot be written and flushed.
    void keep(int fd, const std::string& path);
    // Tells the record what the control left on the file, after it set the times.
    void left(int fd);

    // The lines on record, in the order written. A record that does not exist holds none; a line that
    // cannot be read is skipped.
    std::vector<RecordedTimes> read() const;
    // Replaces the record with these lines (none: the record is removed).
    void rewrite(const std::vector<RecordedTimes>& lines) const;

    static std::string lineOf(const RecordedTimes& times);
    static std::optional<RecordedTimes> parseLine(const std::string& line);

private:
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        timespec access{};
        timespec modification{};
    };
    mutable std::string file_;
    std::optional<Identity> lastLeft_;
};

} // namespace pelmark
