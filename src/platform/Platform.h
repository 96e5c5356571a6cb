#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pelmark {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// A decoded picture, already scaled for the box that shows it. The pixels are the platform's own
// image type; the core only asks whether there is a picture and how large it is.
struct Picture {
    int width = 0;
    int height = 0;
    std::shared_ptr<const void> image;
    // The same decoded image at the same size: showing it again changes nothing.
    bool operator==(const Picture&) const = default;
};

// A file time: 100-nanosecond intervals since 1601-01-01 00:00 UTC; 0 leaves that time as it is.
using FileTime = std::uint64_t;

// Every service the control takes from its host platform. The Qt platform implements it for real; the
// scripted platform answers from queues and records what was asked, for tests and the console.
class Platform {
public:
    virtual ~Platform() = default;

    // The open-file dialog: `filter` is "label|pattern|label|pattern...", `fileName` the preset name.
    // Answers the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> openFileDialog(const std::string& filter,
                                                      const std::string& fileName) = 0;

    // A message box; an empty title means the platform's default title.
    virtual MessageAnswer messageBox(const std::string& text, MessageButtons buttons,
                                     const std::string& title) = 0;

    // An input box with a proposed text; nothing when cancelled.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& proposed) = 0;

    // Lets pending user-interface events run once.
    virtual void yieldToEvents() = 0;

    // Loads a picture file scaled to a box of the given size in twips; nothing when it cannot be read.
    virtual std::optional<Picture> loadPicture(const std::string& path, int boxWidthTwips,
                                               int boxHeightTwips) = 0;

    // The per-user settings store of the control.
    virtual std::optional<std::string> readSetting(const std::string& section, const std::string& key) = 0;
    virtual void writeSetting(const std::string& section, const std::string& key,
                              const std::string& value) = 0;

    // Starts another program from a command line without waiting; throws PelmarkError when it cannot.
    virtual void startProcess(const std::string& commandLine) = 0;

    // Sets a file's times; false when the file cannot be opened for writing or a time cannot be set.
    virtual bool setFileTimes(const std::string& path, FileTime creation, FileTime lastAccess,
                              FileTime lastWrite) = 0;

    // The user's decimal separator.
    virtual char decimalSeparator() const = 0;

    // The pseudo-random generator: seeded from the clock, then numbers 0 <= r < 1.
    virtual void seedRandomFromClock() = 0;
    virtual double nextRandom() = 0;
};

} // namespace pelmark
