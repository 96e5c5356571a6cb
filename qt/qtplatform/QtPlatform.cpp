#include "qtplatform/QtPlatform.h"

#include "qtplatform/DecimalSeparator.h"
#include "qtplatform/FileTimes.h"
#include "qtplatform/Latin1Text.h"
#include "qtplatform/PictureLoader.h"
#include "qtplatform/ProcessStart.h"
#include "qtplatform/Twips.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <chrono>

namespace pelmark {

namespace {

// Pictures are decoded for the screen's pixels, not its logical ones: at 200 % a box of 300 logical
// pixels shows 600.
double screenPixelDpi() {
    auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    QScreen* screen = gui ? QGuiApplication::primaryScreen() : nullptr;
    return screen ? screen->logicalDotsPerInchY() * screen->devicePixelRatio() : kDefaultDpi;
}

// The file dialog of a folder scan: its preset is a placeholder name in a folder ("Alle Dateien"),
// so besides a photo it takes a folder, or the placeholder itself, as the answer.
class FolderOrFileDialog : public QFileDialog {
public:
    FolderOrFileDialog(QWidget* parent, QString placeholder)
        : QFileDialog(parent), placeholder_(std::move(placeholder)) {
        // Any typed name enables Open; accept() decides what it means.
        setFileMode(QFileDialog::AnyFile);
    }

    void accept() override {
        if (placeholder_.isEmpty()) {
            QFileDialog::accept();
            return;
        }
        const QString chosen = selectedFiles().value(0);
        const QFileInfo info(chosen);
        if (info.isDir()) {
            chosen_ = QDir(chosen).absolutePath() + QLatin1Char('/');
        } else if (info.isFile() || (info.fileName() == placeholder_ && info.dir().exists())) {
            chosen_ = info.absoluteFilePath();
        } else {
            return; // neither a photo nor a folder: the dialog stays open
        }
        done(QDialog::Accepted);
    }
    QString chosen() const { return chosen_; }

private:
    QString placeholder_;
    QString chosen_;
};

std::vector<std::string> splitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

} // namespace

QStringList qtNameFilters(const std::string& filter) {
    QStringList filters;
    auto parts = splitAt(filter, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = toQt(parts[i + 1]).replace(';', ' ').simplified();
        if (patterns.isEmpty()) continue;
        filters << QStringLiteral("%1 (%2)").arg(toQt(parts[i]), patterns);
    }
    return filters;
}

QtPlatform::QtPlatform() : record_(TimeRecord::forSettingsFolder("")), separator_(userDecimalSeparator()) {
    seedRandomFromClock();
}

QtPlatform::QtPlatform(SettingsStore settings, TimeRecord record)
    : settings_(std::move(settings)), record_(std::move(record)), separator_(userDecimalSeparator()) {
    seedRandomFromClock();
}

QWidget* QtPlatform::dialogParent() const {
    if (owner_) return owner_->window();
    return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::activeWindow() : nullptr;
}

std::optional<std::string> QtPlatform::openFileDialog(const std::string& filter,
                                                      const std::string& fileName) {
    const QFileInfo preset(pathToQt(fileName));
    // A preset that names no file is a placeholder: the dialog then chooses a folder as well.
    const bool placeholder = !fileName.empty() && !preset.exists();
    FolderOrFileDialog dialog(dialogParent(), placeholder ? preset.fileName() : QString());
    if (!placeholder) dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Only the widget dialog lets accept() decide; the labels carry their own pattern texts where
    // they want them shown ("Garmin Track (*.t)"), so Qt adds none.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    QStringList filters = qtNameFilters(filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!fileName.empty()) {
        if (preset.dir().exists()) dialog.setDirectory(preset.dir());
        dialog.selectFile(preset.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    QString chosen = placeholder ? dialog.chosen() : dialog.selectedFiles().value(0);
    if (chosen.isEmpty()) return std::nullopt;
    return pathFromQt(chosen);
}

MessageAnswer QtPlatform::messageBox(const std::string& text, MessageButtons buttons,
                                     const std::string& title) {
    QMessageBox box(dialogParent());
    box.setWindowTitle(title.empty() ? QString(kDefaultTitle) : toQt(title));
    box.setText(toQt(text));
    box.setTextFormat(Qt::PlainText);
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

std::optional<std::string> QtPlatform::inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& proposed) {
    bool accepted = false;
    QString answer =
        QInputDialog::getText(dialogParent(), title.empty() ? QString(kDefaultTitle) : toQt(title),
                              toQt(prompt), QLineEdit::Normal, toQt(proposed), &accepted);
    if (!accepted) return std::nullopt;
    return fromQt(answer);
}

void QtPlatform::yieldToEvents() {
    // Long work yields after every track point and photo, thousands of times a second; handling the
    // events, and so painting whatever changed, at each of them cost the window far more than the work.
    // Between two rounds the work goes on for this long: less than a screen frame, so neither the
    // screen nor a click on Stop waits noticeably.
    constexpr qint64 kEventIntervalMs = 10;
    if (eventsHandled_.isValid() && eventsHandled_.elapsed() < kEventIntervalMs) return;
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
    eventsHandled_.start();
}

std::optional<Picture> QtPlatform::loadPicture(const std::string& path, int boxWidthTwips,
                                               int boxHeightTwips) {
    // Decoding a camera's photo takes longer than a step of the matching run: the run goes on while
    // the picture thread decodes whichever photo is current by then.
    return loadPictureInBackground(path, boxWidthTwips, boxHeightTwips, screenPixelDpi());
}

std::optional<std::string> QtPlatform::readSetting(const std::string& section, const std::string& key) {
    return settings_.read(section, key);
}

void QtPlatform::writeSetting(const std::string& section, const std::string& key, const std::string& value) {
    settings_.write(section, key, value);
}

void QtPlatform::startProcess(const std::string& commandLine) {
    startCommandLine(commandLine);
}

// Linux keeps no settable creation time: the value is computed by the caller and set nowhere.
bool QtPlatform::setFileTimes(const std::string& path, FileTime, FileTime lastAccess, FileTime lastWrite) {
    return setAccessAndWriteTimes(path, lastAccess, lastWrite, &record_);
}

char QtPlatform::decimalSeparator() const {
    return separator_;
}

void QtPlatform::seedRandomFromClock() {
    random_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

double QtPlatform::nextRandom() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_);
}

} // namespace pelmark
