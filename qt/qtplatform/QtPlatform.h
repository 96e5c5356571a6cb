#pragma once

#include "platform/Platform.h"
#include "qtplatform/SettingsStore.h"
#include "qtplatform/TimeRecord.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <random>

namespace pelmark {

// The platform for real: Qt's dialogs and message boxes, its event loop and image decoders, the
// per-user settings store, process start and file times. One per control (or per program).
class QtPlatform : public Platform {
public:
    static constexpr const char* kDefaultTitle = "Pelmark";

    // On the user's own settings store and time record, or on the ones given.
    QtPlatform();
    QtPlatform(SettingsStore settings, TimeRecord record);

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
    char decimalSeparator() const override;
    void seedRandomFromClock() override;
    double nextRandom() override;

    // The widget whose window the dialogs and message boxes belong to, centred on it; nothing: the
    // active window.
    void setDialogOwner(QWidget* owner) { owner_ = owner; }

private:
    QWidget* dialogParent() const;

    QPointer<QWidget> owner_;
    SettingsStore settings_;
    TimeRecord record_;
    // Read once: every decoded number asks for it.
    char separator_;
    std::mt19937_64 random_;
    QElapsedTimer eventsHandled_; // since the last round of events at a yield
};

// Turns the dialog filter "label|pattern|label|pattern" into Qt's name filters ("label (pattern)");
// patterns separated by ';' become blank-separated. A label without a pattern is dropped.
QStringList qtNameFilters(const std::string& filter);

} // namespace pelmark
