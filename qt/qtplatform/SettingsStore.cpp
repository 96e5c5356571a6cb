#include "qtplatform/SettingsStore.h"

#include "base/Error.h"

#include <QFile>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>

namespace pelmark {

namespace {

std::unique_ptr<QSettings> open(const std::string& file) {
    if (file.empty())
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           SettingsStore::kOrganisation, SettingsStore::kApplication);
    return std::make_unique<QSettings>(QString::fromStdString(file), QSettings::IniFormat);
}

QString keyOf(const std::string& section, const std::string& key) {
    return QString::fromLatin1(section) + QLatin1Char('/') + QString::fromLatin1(key);
}

} // namespace

SettingsStore::SettingsStore() = default;

// The same layout as the user's store: organisation folder, application file.
SettingsStore::SettingsStore(std::string folder)
    : file_(std::move(folder) + "/" + kOrganisation + "/" + kApplication + ".ini") {}

std::optional<std::string> SettingsStore::read(const std::string& section, const std::string& key) const {
    auto settings = open(file_);
    QVariant value = settings->value(keyOf(section, key));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toLatin1().toStdString();
}

void SettingsStore::write(const std::string& section, const std::string& key, const std::string& value) {
    auto settings = open(file_);
    settings->setValue(keyOf(section, key),
                       QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size())));
    settings->sync();
    if (settings->status() != QSettings::NoError)
        throw PelmarkError(ErrorKind::FileWrite, "cannot write the settings store " +
                                                     QFile::encodeName(settings->fileName()).toStdString());
}

} // namespace pelmark
