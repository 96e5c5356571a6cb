#pragma once

#include "platform/ScriptedPlatform.h"
#include "qtplatform/SettingsStore.h"
#include "qtplatform/TimeRecord.h"

#include <optional>
#include <string>

namespace pelmark::console {

// The console's platform: the scripted one's queued answers and records for whatever would need a
// person (dialogs, boxes, the Stop button), and the real services for the rest: the settings store,
// file times, picture loading, and, when asked for, starting programs.
class ConsolePlatform : public ScriptedPlatform {
public:
    enum class Launch { Record, Real };

    // `settingsFolder` empty: the user's own store and time record; otherwise both live in that folder.
    // `separator` nothing: the locale's.
    ConsolePlatform(Launch launch, const std::string& settingsFolder, std::optional<char> separator = {});

    char decimalSeparator() const override;

    std::optional<Picture> loadPicture(const std::string& path, int boxWidthTwips,
                                       int boxHeightTwips) override;
    std::optional<std::string> readSetting(const std::string& section, const std::string& key) override;
    void writeSetting(const std::string& section, const std::string& key, const std::string& value) override;
    void startProcess(const std::string& commandLine) override;
    bool setFileTimes(const std::string& path, FileTime creation, FileTime lastAccess,
                      FileTime lastWrite) override;

private:
    Launch launch_;
    SettingsStore settings_;
    TimeRecord record_;
    mutable std::optional<char> separator_;
};

} // namespace pelmark::console
