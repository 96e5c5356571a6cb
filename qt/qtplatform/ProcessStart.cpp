#include "qtplatform/ProcessStart.h"

#include "base/Error.h"
#include "qtplatform/CoreServices.h"

namespace pelmark {

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
    const std::string program = words.front();
    words.erase(words.begin());
    if (!coreServices().startDetached(program, words))
        throw PelmarkError(ErrorKind::ProcessStart, "Cannot start: " + commandLine);
}

} // namespace pelmark
