#include "geotag/PhotoFolders.h"

#include "base/Error.h"
#include "base/NameOrder.h"
#include "photos/PhotoLoader.h"

#include <algorithm>
#include <dirent.h>
#include <limits>
#include <memory>
#include <sys/stat.h>

namespace pelmark::geotag {

namespace {

std::vector<std::string> foldersInside(const std::string& folder) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir) return names;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        struct stat status {};
        if (name.empty() || name[0] == '.' || lstat((folder + name).c_str(), &status) != 0) continue;
        if (S_ISDIR(status.st_mode)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), nameOrder);
    return names;
}

void addFolder(const std::string& folder, bool recursive, std::vector<PhotoFile>& photos) {
    const auto names = photoNamesIn(folder, "", std::numeric_limits<std::size_t>::max());
    if (!names) throw PelmarkError(ErrorKind::FileNotFound, "cannot list the photo folder " + folder);
    for (const std::string& name : *names)
        photos.push_back({folder + name, name});
    if (!recursive) return;
    for (const std::string& inside : foldersInside(folder))
        addFolder(folder + inside + "/", true, photos);
}

} // namespace

std::vector<PhotoFile> photosIn(const std::vector<std::string>& folders, bool recursive) {
    std::vector<PhotoFile> photos;
    for (std::string folder : folders) {
        if (!folder.ends_with('/')) folder += '/';
        struct stat status {};
        if (stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
            throw PelmarkError(ErrorKind::FileNotFound, "no photo folder " + folder);
        addFolder(folder, recursive, photos);
    }
    return photos;
}

} // namespace pelmark::geotag
