#include "console/ConsolePlatform.h"

#include "platform/FileTimes.h"
#include "platform/ProcessStart.h"

#include <clocale>

#if __has_include("platform/PictureLoader.h")
#include "platform/PictureLoader.h"
#define PELMARK_HAS_PICTURE_LOADER 1
#endif

namespace pelmark::console {

namespace {

SettingsStore storeIn(const std::string& folder) {
    return folder.empty() ? SettingsStore() : SettingsStore(folder);
}

} // namespace

ConsolePlatform::ConsolePlatform(Launch launch, const std::string& settingsFolder)
    : launch_(launch), settings_(storeIn(settingsFolder)) {}

std::optional<Picture> ConsolePlatform::loadPicture(const std::string& path, int boxWidthTwips,
                                                    int boxHeightTwips) {
    ScriptedPlatform::loadPicture(path, boxWidthTwips, boxHeightTwips); // counts the load
#ifdef PELMARK_HAS_PICTURE_LOADER
    // The console has no screen: the standard resolution.
    return loadPictureForBox(path, boxWidthTwips, boxHeightTwips, 96.0);
#else
    return probeJpegPicture(path);
#endif
}

std::optional<std::string> ConsolePlatform::readSetting(const std::string& section, const std::string& key) {
    return settings_.read(section, key);
}

void ConsolePlatform::writeSetting(const std::string& section, const std::string& key,
                                   const std::string& value) {
    settings_.write(section, key, value);
}

void ConsolePlatform::startProcess(const std::string& commandLine) {
    if (launch_ == Launch::Real) startCommandLine(commandLine);
    ScriptedPlatform::startProcess(commandLine); // recorded either way, for :launched
}

bool ConsolePlatform::setFileTimes(const std::string& path, FileTime creation, FileTime lastAccess,
                                   FileTime lastWrite) {
    ScriptedPlatform::setFileTimes(path, creation, lastAccess, lastWrite);
    return setAccessAndWriteTimes(path, lastAccess, lastWrite);
}

char localeDecimalSeparator() {
    std::setlocale(LC_NUMERIC, "");
    const char* point = std::localeconv()->decimal_point;
    char separator = point != nullptr && point[0] != '\0' && point[1] == '\0' ? point[0] : '.';
    // The rest of the program keeps reading and writing numbers the C way.
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

} // namespace pelmark::console
