#include "base/NumberText.h"
#include "photos/PhotoLoader.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace pelmark {

void PhotoLoader::openFolder(Variant& path) {
    Surface& surface = context_.surface;
    CommonDialog& dialog = context_.dialog;
    if (pathGiven(path)) {
        // Working through a collection should not stop to draw each photo.
        surface.setValue("ShowPictures", 2);
        dialog.fileName = textOf(path, context_.platform.decimalSeparator());
    } else {
        dialog.filter = kFolderFilter;
        dialog.fileName = kFolderPreset;
        if (!dialog.showOpen()) return;
    }

    // The folder ends with its "/"; the name after it is the file the user picked, if any.
    const std::string chosen = dialog.fileName;
    const auto slash = chosen.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : chosen.substr(0, slash + 1);
    const std::string chosenName = slash == std::string::npos ? std::string() : chosen.substr(slash + 1);
    path = Variant(slash == std::string::npos ? chosen : folder);

    list_.restart();
    // Without a "/" the name is a pattern's start in the current folder.
    if (!scanFolder(folder, slash == std::string::npos ? chosen : std::string())) return;

    if (list_.count() == 0) {
        // A folder without photos: ask again until one has photos or the user gives up.
        Variant again = Variant::missing();
        openFolder(again);
    }
    const int count = list_.count();
    surface.setMax("UpDown1", count);
    int selected = 1;
    for (int number = 1; number <= count; ++number)
        if (list_.name(number) == chosenName) selected = number;
    // The count is shown before the number is set: setting it loads that photo, and whatever runs while
    // the load yields, or a load that fails, should find the new count already there.
    surface.setText("PictureCount", std::to_string(count));
    surface.setValue("UpDown1", selected);
}

bool PhotoLoader::scanFolder(const std::string& folder, const std::string& namePrefix) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? std::string(".") : folder, error);
    if (error) return true; // a folder that cannot be listed holds no photo
    for (; entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (error) break;
        const std::string name = entries->path().filename().string();
        // Hidden entries are not listed, and "." and ".." are among them.
        if (name.empty() || name[0] == '.') continue;
        if (name.compare(0, namePrefix.size(), namePrefix) != 0) continue;
        if (name == kAllFiles) continue;
        if (hasPhotoExtension(name) && !list_.append(name, folder + name)) break; // the list is full
        if (context_.yieldAndTestStop()) return false;
    }
    return true;
}

void PhotoLoader::bildInBox(Variant& path) {
    if (path.isMissing()) path = Variant("");
    openFolder(path);
}

} // namespace pelmark
