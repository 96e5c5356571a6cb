#include "qtplatform/QtCoreServices.h"

#include "qtplatform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace pelmark {

namespace {

char decimalSeparator() {
    QString point = QLocale::system().decimalPoint();
    if (point.size() != 1 || point.front().unicode() > 0xFF) return '.';
    return static_cast<char>(point.front().toLatin1());
}

std::unique_ptr<QSettings> openStore(const std::string& file) {
    if (file.empty())
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           SettingsStore::kOrganisation, SettingsStore::kApplication);
    return std::make_unique<QSettings>(QString::fromStdString(file), QSettings::IniFormat);
}

QString keyOf(const std::string& section, const std::string& key) {
    return QString::fromLatin1(section) + QLatin1Char('/') + QString::fromLatin1(key);
}

std::optional<std::string> readSetting(const std::string& file, const std::string& section,
                                       const std::string& key) {
    QVariant value = openStore(file)->value(keyOf(section, key));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toLatin1().toStdString();
}

bool writeSetting(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value, std::string& storeName) {
    auto settings = openStore(file);
    settings->setValue(keyOf(section, key),
                       QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size())));
    settings->sync();
    storeName = QFile::encodeName(settings->fileName()).toStdString();
    return settings->status() == QSettings::NoError;
}

std::string userDataFolder() {
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share");
    return QFile::encodeName(data).toStdString();
}

// Program names and arguments are file names: the file system's own bytes.
QString fileNameOf(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool startDetached(const std::string& program, const std::vector<std::string>& arguments) {
    QStringList qtArguments;
    for (const std::string& argument : arguments)
        qtArguments << fileNameOf(argument);
    return QProcess::startDetached(fileNameOf(program), qtArguments);
}

} // namespace

const CoreServices& qtCoreServices() {
    static constexpr CoreServices services{&decimalSeparator, &readSetting, &writeSetting, &userDataFolder,
                                           &startDetached};
    return services;
}

} // namespace pelmark
