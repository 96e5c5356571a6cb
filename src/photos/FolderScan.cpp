#include "base/FileSlot.h"
#include "base/NameOrder.h"
#include "base/NumberText.h"
#include "photos/PhotoLoader.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

namespace pelmark {

namespace {

// A dialog's answer: the folder ends with its "/"; the name after it is the file the user picked, if
// any. Without a "/" the name is a pattern's start in the current folder.
struct FolderChoice {
    std::string folder;
    std::string name;
    std::string prefix;
    bool hasFolder;
};

FolderChoice choiceOf(const std::string& chosen) {
    const auto slash = chosen.rfind('/');
    if (slash == std::string::npos) return {"", "", chosen, false};
    return {chosen.substr(0, slash + 1), chosen.substr(slash + 1), "", true};
}

} // namespace

void PhotoLoader::openFolder(Variant& path) {
    Surface& surface = context_.surface;
    CommonDialog& dialog = context_.dialog;
    if (pathGiven(path)) {
        // Working through a collection should not stop to draw each photo.
        surface.setValue(ElementId::ShowPictures, 2);
        dialog.fileName = textOf(path, context_.platform.decimalSeparator());
    } else {
        dialog.filter = kFolderFilter;
        dialog.fileName = kFolderPreset;
        if (!dialog.showOpen()) return;
    }
    const FolderChoice first = choiceOf(dialog.fileName);
    path = Variant(first.hasFolder ? first.folder : first.prefix);

    FolderChoice listed = first;
    auto names = scanFolder(listed.folder, listed.prefix);
    while (names && names->empty()) {
        // A folder without photos: ask again until one has photos or the user gives up. The name chosen
        // first is still the one looked for.
        dialog.filter = kFolderFilter;
        dialog.fileName = kFolderPreset;
        if (!dialog.showOpen()) break;
        listed = choiceOf(dialog.fileName);
        names = scanFolder(listed.folder, listed.prefix);
    }
    // Stopped: the user did not get the folder they asked for, so the one shown before stays whole.
    if (!names) return;

    list_.restart();
    for (const std::string& name : *names)
        if (!list_.append(name, listed.folder + name)) break;
    const int count = list_.count();
    surface.setMax(ElementId::UpDown1, count);
    int selected = 1;
    for (int number = 1; number <= count; ++number)
        if (list_.name(number) == first.name) selected = number;
    // The count is shown before the number is set: setting it loads that photo, and whatever runs while
    // the load yields, or a load that fails, should find the new count already there.
    surface.setText(ElementId::PictureCount, std::to_string(count));
    const int before = surface.value(ElementId::UpDown1);
    surface.setValue(ElementId::UpDown1, selected);
    // An unchanged number fires nothing, yet the photo it names now is another folder's.
    if (surface.value(ElementId::UpDown1) == before && before >= 1) loadPictures(Variant(list_.path(before)));
}

std::optional<std::vector<std::string>> PhotoLoader::scanFolder(const std::string& folder,
                                                                const std::string& namePrefix) {
    std::vector<std::string> listing;
    std::error_code error;
    // A folder that cannot be listed holds no photo.
    if (namesFile(folder)) {
        std::filesystem::directory_iterator entries(folder.empty() ? std::string(".") : folder, error);
        for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error))
            listing.push_back(entries->path().filename().string());
    }
    std::sort(listing.begin(), listing.end(),
              [](const std::string& a, const std::string& b) { return nameOrder(a, b); });

    std::vector<std::string> photos;
    for (const std::string& name : listing) {
        // Hidden entries are not listed, and "." and ".." are among them.
        if (name.empty() || name[0] == '.') continue;
        if (name.compare(0, namePrefix.size(), namePrefix) != 0) continue;
        if (name == kAllFiles) continue;
        if (hasPhotoExtension(name)) {
            if (photos.size() == PhotoList::kCapacity) break; // the list is full
            photos.push_back(name);
        }
        if (context_.yieldAndTestStop()) return std::nullopt;
    }
    return photos;
}

void PhotoLoader::bildInBox(Variant& path) {
    if (path.isMissing()) path = Variant("");
    openFolder(path);
}

} // namespace pelmark
