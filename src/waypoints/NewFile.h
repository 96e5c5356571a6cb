#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelmark {

// The new waypoint file, made where no one else can reach it before it is complete. Where the file
// system allows, it has no name at all until it is published (O_TMPFILE), so a program ended by a
// signal leaves nothing behind; elsewhere it is made exclusively under a random hidden name
// (".NAME.wp.XXXXXXXXXXXX.part"), which fails rather than follow a link someone planted there.
class NewFile {
public:
    explicit NewFile(const std::string& target);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // The name the file slot knows the new file by (a name on disk only once it has one).
    const std::string& label() const { return label_; }

    // A handle for the writer; -1 with errno set when the file cannot be made. The file keeps a handle
    // of its own: the Stop button closes the writer's, and the file must outlive that.
    int create();

    // To the disk, then under the target's name. False with errno set when that fails.
    bool publish();

private:
    std::string target_, folder_, hiddenStart_, label_;
    int keep_ = -1;
    bool named_ = false;
};

// Writes `bytes` as the file `target` through a `NewFile`, with the permission bits `mode` when given
// (else those of any new file). Answers 0, or the errno of what failed (-1 when none says); an existing
// file then stays as it was.
int replaceFile(const std::string& target, std::string_view bytes, std::optional<unsigned> mode = {});

// Writes `bytes` as the waypoint file `target` in one go, through a `NewFile`. Throws PelmarkError
// (FileWrite) with the writer's message, leaving an existing file as it was.
void writeNewFile(const std::string& target, std::string_view bytes);

} // namespace pelmark
