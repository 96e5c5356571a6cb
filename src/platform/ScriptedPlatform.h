#pragma once

#include "platform/Platform.h"

#include <deque>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace pelmark {

// A platform that answers from queues and records what the control asked of it. Tests and the
// automation console drive the control through it. A dialog or box with no queued answer is cancelled
// or answered with its default button, as a user pressing Escape would.
class ScriptedPlatform : public Platform {
public:
    struct DialogRecord {
        std::string filter;
        std::string fileName;
        std::optional<std::string> chosen;
    };
    struct MessageRecord {
        std::string title;
        std::string text;
        MessageButtons buttons;
    };
    struct InputRecord {
        std::string prompt;
        std::string title;
        std::string proposed;
    };
    struct FileTimesRecord {
        std::string path;
        FileTime creation, lastAccess, lastWrite;
    };

    static constexpr const char* kDefaultTitle = "Pelmark";

    // Queued answers, taken one per dialog or box.
    void queueFile(std::string path) { files_.push_back(std::move(path)); }
    void queueFileCancel() { files_.push_back(std::nullopt); }
    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    void queueInput(std::string text) { inputs_.push_back(std::move(text)); }
    void queueInputCancel() { inputs_.push_back(std::nullopt); }

    // Called at the `n`-th yield from now (1 = the next one); the console clicks Stop from here.
    void atYield(int n, std::function<void()> action);
    int yieldCount() const { return yields_; }

    // What was asked so far; `take...` empties the record.
    std::vector<DialogRecord> takeDialogs() { return std::exchange(dialogs_, {}); }
    std::vector<MessageRecord> takeMessages() { return std::exchange(messages_, {}); }
    std::vector<std::string> takeLaunched() { return std::exchange(launched_, {}); }
    const std::vector<InputRecord>& inputs() const { return inputRecords_; }
    const std::vector<FileTimesRecord>& fileTimes() const { return fileTimes_; }
    int pictureLoads() const { return pictureLoads_; }

    void setDecimalSeparator(char separator) { separator_ = separator; }
    void setRandomSeed(unsigned seed) { random_.seed(seed); }
    // When set, a start of this command line fails as a missing program would.
    void failLaunches(bool fail) { failLaunches_ = fail; }

    std::map<std::string, std::string>& settings() { return settings_; }

    std::optional<std::string> openFileDialog(const std::string& filter,
                                              const std::string& fileName) override;
    MessageAnswer messageBox(const std::string& text, MessageButtons buttons,
                             const std::string& title) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& proposed) override;
    void yieldToEvents() override;
    std::optional<Picture> loadPicture(const std::string& path, int boxWidthTwips,
                                       int boxHeightTwips) override;
    std::optional<std::string> readSetting(const std::string& section, const std::string& key) override;
    void writeSetting(const std::string& section, const std::string& key, const std::string& value) override;
    void startProcess(const std::string& commandLine) override;
    bool setFileTimes(const std::string& path, FileTime creation, FileTime lastAccess,
                      FileTime lastWrite) override;
    char decimalSeparator() const override { return separator_; }
    void seedRandomFromClock() override;
    double nextRandom() override;

private:
    std::deque<std::optional<std::string>> files_;
    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<std::string>> inputs_;
    std::vector<DialogRecord> dialogs_;
    std::vector<MessageRecord> messages_;
    std::vector<InputRecord> inputRecords_;
    std::vector<std::string> launched_;
    std::vector<FileTimesRecord> fileTimes_;
    std::map<std::string, std::string> settings_;
    std::multimap<int, std::function<void()>> yieldActions_;
    int yields_ = 0;
    int pictureLoads_ = 0;
    char separator_ = '.';
    bool failLaunches_ = false;
    std::mt19937 random_{12345};
};

// Reads the size of a JPEG picture from its frame header without decoding it; nothing when the file
// is no JPEG. Serves platforms that only need to know whether a picture could be shown.
std::optional<Picture> probeJpegPicture(const std::string& path);

} // namespace pelmark
