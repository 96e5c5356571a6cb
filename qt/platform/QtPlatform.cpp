#include "QtPlatform.h"

#include "DecimalSeparator.h"
#include "FileTimes.h"
#include "Latin1Text.h"
#include "PictureLoader.h"
#include "ProcessStart.h"
#include "Twips.h"

#include <QApplication>
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

QWidget* dialogParent() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::activeWindow() : nullptr;
}

double screenDpi() {
    auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    QScreen* screen = gui ? QGuiApplication::primaryScreen() : nullptr;
    return screen ? screen->logicalDotsPerInchY() : kDefaultDpi;
}

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

QtPlatform::QtPlatform() : separator_(userDecimalSeparator()) {
    seedRandomFromClock();
}

QtPlatform::QtPlatform(SettingsStore settings)
    : settings_(std::move(settings)), separator_(userDecimalSeparator()) {
    seedRandomFromClock();
}

std::optional<std::string> QtPlatform::openFileDialog(const std::string& filter,
                                                      const std::string& fileName) {
    QFileDialog dialog(dialogParent());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList filters = qtNameFilters(filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!fileName.empty()) {
        QFileInfo preset(pathToQt(fileName));
        if (preset.dir().exists()) dialog.setDirectory(preset.dir());
        dialog.selectFile(preset.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return pathFromQt(dialog.selectedFiles().front());
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
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

std::optional<Picture> QtPlatform::loadPicture(const std::string& path, int boxWidthTwips,
                                               int boxHeightTwips) {
    // Decoding a camera's photo takes longer than a step of the matching run: the run goes on while
    // the picture thread decodes whichever photo is current by then.
    return loadPictureInBackground(path, boxWidthTwips, boxHeightTwips, screenDpi());
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
    return setAccessAndWriteTimes(path, lastAccess, lastWrite);
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
