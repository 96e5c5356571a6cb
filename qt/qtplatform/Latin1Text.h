#pragma once

#include <QFile>
#include <QString>
#include <string>

namespace pelmark {

// The core's texts are byte strings; the surface shows them one byte to one character, so the degree
// sign 0xB0 stays a degree sign and every byte survives the trip to a widget and back.
inline QString toQt(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string fromQt(const QString& text) {
    return text.toLatin1().toStdString();
}

// A multi-line text as Qt's multi-line field holds it: the Windows line end CR LF, and a lone CR,
// become line feeds.
inline QString multiLineToQt(const std::string& bytes) {
    QString shown = toQt(bytes);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace('\r', '\n');
    return shown;
}

// Paths are the file system's own bytes, not Latin-1 text: a name with umlauts in UTF-8 must still open.
inline QString pathToQt(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

inline std::string pathFromQt(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace pelmark
