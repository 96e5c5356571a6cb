#include "platform/ScriptedPlatform.h"

#include "base/Error.h"
#include "base/FileSlot.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <unistd.h>

namespace pelmark {

void ScriptedPlatform::atYield(int n, std::function<void()> action) {
    // A yield further out than the counter can reach never comes.
    if (n > std::numeric_limits<int>::max() - yields_) return;
    yieldActions_.emplace(yields_ + (n < 1 ? 1 : n), std::move(action));
}

std::optional<std::string> ScriptedPlatform::openFileDialog(const std::string& filter,
                                                            const std::string& fileName) {
    std::optional<std::string> chosen;
    if (!files_.empty()) {
        chosen = files_.front();
        files_.pop_front();
    }
    dialogs_.push_back({filter, fileName, chosen});
    return chosen;
}

MessageAnswer ScriptedPlatform::messageBox(const std::string& text, MessageButtons buttons,
                                           const std::string& title) {
    messages_.push_back({title.empty() ? kDefaultTitle : title, text, buttons});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers_.empty()) return MessageAnswer::Yes; // the default button of a Yes/No box
    MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPlatform::inputBox(const std::string& prompt, const std::string& title,
                                                      const std::string& proposed) {
    inputRecords_.push_back({prompt, title, proposed});
    if (inputs_.empty()) return std::nullopt;
    auto answer = inputs_.front();
    inputs_.pop_front();
    return answer;
}

void ScriptedPlatform::yieldToEvents() {
    ++yields_;
    auto due = yieldActions_.equal_range(yields_);
    std::vector<std::function<void()>> actions;
    for (auto it = due.first; it != due.second; ++it)
        actions.push_back(std::move(it->second));
    yieldActions_.erase(due.first, due.second);
    for (auto& action : actions)
        action();
}

std::optional<Picture> ScriptedPlatform::loadPicture(const std::string& path, int, int) {
    ++pictureLoads_;
    return probeJpegPicture(path);
}

std::optional<std::string> ScriptedPlatform::readSetting(const std::string& section, const std::string& key) {
    auto it = settings_.find(section + "/" + key);
    if (it == settings_.end()) return std::nullopt;
    return it->second;
}

void ScriptedPlatform::writeSetting(const std::string& section, const std::string& key,
                                    const std::string& value) {
    settings_[section + "/" + key] = value;
}

void ScriptedPlatform::startProcess(const std::string& commandLine) {
    if (failLaunches_) throw PelmarkError(ErrorKind::ProcessStart, "Cannot start: " + commandLine);
    launched_.push_back(commandLine);
}

bool ScriptedPlatform::setFileTimes(const std::string& path, FileTime creation, FileTime lastAccess,
                                    FileTime lastWrite) {
    fileTimes_.push_back({path, creation, lastAccess, lastWrite});
    return true;
}

void ScriptedPlatform::seedRandomFromClock() {
    random_.seed(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

double ScriptedPlatform::nextRandom() {
    return std::generate_canonical<double, 53>(random_);
}

std::optional<Picture> probeJpegPicture(const std::string& path) {
    const int fd = openRegularFile(path, O_RDONLY);
    std::unique_ptr<FILE, int (*)(FILE*)> in(fd < 0 ? nullptr : ::fdopen(fd, "rb"), &std::fclose);
    if (!in) {
        if (fd >= 0) ::close(fd);
        return std::nullopt;
    }
    auto byte = [&in]() -> int { return std::fgetc(in.get()); };
    if (byte() != 0xFF || byte() != 0xD8) return std::nullopt;
    // Walk the marker segments up to the first frame header, which holds the picture size.
    for (int segments = 0; segments < 4096; ++segments) {
        int marker = byte();
        if (marker != 0xFF) return std::nullopt;
        int code = byte();
        while (code == 0xFF)
            code = byte();
        if (code < 0) return std::nullopt;
        int high = byte(), low = byte();
        if (high < 0 || low < 0) return std::nullopt;
        int length = (high << 8) | low;
        if (length < 2) return std::nullopt;
        bool frameHeader = code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
        if (frameHeader) {
            int precision = byte();
            int h1 = byte(), h0 = byte(), w1 = byte(), w0 = byte();
            if (precision < 0 || h0 < 0 || w0 < 0 || h1 < 0 || w1 < 0) return std::nullopt;
            Picture picture;
            picture.height = (h1 << 8) | h0;
            picture.width = (w1 << 8) | w0;
            if (picture.width == 0 || picture.height == 0) return std::nullopt;
            return picture;
        }
        if (std::fseek(in.get(), length - 2, SEEK_CUR) != 0) return std::nullopt;
    }
    return std::nullopt;
}

} // namespace pelmark
