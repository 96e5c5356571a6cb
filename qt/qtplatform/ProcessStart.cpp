#include "qtplatform/ProcessStart.h"

#include "base/Error.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

namespace pelmark {

namespace {

// Program names and arguments are file names: the file system's own bytes.
QString fileNameOf(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < commandLine.size()) {
        std::size_t start = commandLine.find_first_not_of(' ', at);
        if (start == std::string::npos) break;
        std::size_t end = commandLine.find(' ', start);
        if (end == std::string::npos) end = commandLine.size();
        words.push_back(commandLine.substr(start, end - start));
        at = end;
    }
    return words;
}

void startCommandLine(const std::string& commandLine) {
    auto words = splitCommandLine(commandLine);
    if (words.empty()) throw PelmarkError(ErrorKind::ProcessStart, "Cannot start an empty command line");
    QStringList arguments;
    for (std::size_t i = 1; i < words.size(); ++i)
        arguments << fileNameOf(words[i]);
    if (!QProcess::startDetached(fileNameOf(words[0]), arguments))
        throw PelmarkError(ErrorKind::ProcessStart, "Cannot start: " + commandLine);
}

} // namespace pelmark
