#include "photos/PhotoLoader.h"

#include "base/Error.h"
#include "base/FileSlot.h"
#include "base/NameOrder.h"
#include "base/NumberText.h"

#include <algorithm>
#include <array>
#include <dirent.h>
#include <filesystem>
#include <string>
#include <system_error>

namespace pelmark {

namespace {

// The fields a load clears, in the order it clears them. The maker note and the GPS directory's
// position stay until another photo writes them, and the GPS fields are not the photo's.
constexpr std::array kClearedFields{
    ExifField::DateOriginal,
    ExifField::ExifVersion,
    ExifField::DateDigitized,
    ExifField::Description,
    ExifField::Maker,
    ExifField::Model,
    ExifField::Firmware,
    ExifField::DateModified,
    ExifField::ExposureTime,
    ExifField::FNumber,
    ExifField::ExposureProgram,
    ExifField::ShutterSpeed,
    ExifField::Flash,
    ExifField::FlashValue,
    ExifField::StrobeReturnLight,
    ExifField::SubDirectoryPosition,
    ExifField::UserComment,
};

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

PhotoLoader::PhotoLoader(Context& context, ExifParser& parser) : context_(context), parser_(parser) {}

bool PhotoLoader::loadPictures(const Variant& path) {
    const bool byPath = pathGiven(path);
    if (byPath) {
        context_.dialog.fileName = textOf(path, context_.platform.decimalSeparator());
    } else {
        context_.dialog.filter = kLoadFilter;
        if (!context_.dialog.showOpen()) return false;
        context_.surface.setValue(ElementId::ShowPictures, 1);
    }
    try {
        return loadFile();
    } catch (const PelmarkError&) {
        if (byPath) throw;
    }
    return false;
}

bool PhotoLoader::loadFile() {
    FileSlot& file = context_.file;
    Surface& surface = context_.surface;
    // Another operation (a track read, a waypoint write) holds the slot while it yields: its file stays
    // its own. Only a load of our own may be superseded, by the newer one.
    if (file.isOpen() && !parser_.walking())
        throw PelmarkError(ErrorKind::Busy, "Another operation is using the file");
    const int load = ++loads_;

    clearExifFields();
    StatusCounters(surface).clearAll();
    surface.setVisible(ElementId::NoExifAvailable, false);

    const std::string name = context_.dialog.fileName;
    // The path goes with the number from the start: a load that fails must not leave the new number
    // beside the previous photo's path.
    surface.setText(ElementId::FilePath, list_.path(surface.value(ElementId::UpDown1)));
    if (!file.openForReading(name)) throw openFailure(name);
    ExifParser::Outcome outcome;
    try {
        outcome = parser_.readOpenPhoto();
    } catch (...) {
        file.close();
        throw;
    }
    if (outcome == ExifParser::Outcome::Superseded) return false;
    file.close();

    if (outcome == ExifParser::Outcome::NoExif) {
        surface.setVisible(ElementId::NoExifAvailable, true);
    } else {
        context_.yield();
        if (loads_ != load) return false; // a newer load has shown its own photo meanwhile
    }
    showPicture(name);
    return true;
}

void PhotoLoader::clearExifFields() {
    for (ExifField field : kClearedFields)
        parser_.clear(field);
}

void PhotoLoader::showPicture(const std::string& path) {
    Surface& surface = context_.surface;
    const bool jpeg = endsWithName(path, "JPG");
    if (jpeg && surface.value(ElementId::ShowPictures) == 1) {
        const Element& box = surface.get(ElementId::Bild);
        surface.setPicture(ElementId::Bild, context_.platform.loadPicture(path, box.width, box.height));
    } else {
        surface.setPicture(ElementId::Bild, std::nullopt);
    }
}

Variant PhotoLoader::photoCount() const {
    const Surface& surface = context_.surface;
    if (surface.get(ElementId::PictureCount).enabled)
        return Variant(leadingNumber(surface.text(ElementId::PictureCount)));
    const auto& picture = surface.get(ElementId::Bild).picture;
    return Variant(picture && picture->width != 0 ? 1 : 0);
}

void PhotoLoader::openFolder(Variant& path, bool namesFolder) {
    // A scan during another job's yield would change the photo list under it.
    Jobs::Scope job(context_.jobs, Job::FolderScan);
    job.throwIfRefused();
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
    auto names = namesFolder ? scanFolder(listed.folder, listed.prefix)
                             : std::optional<std::vector<std::string>>(std::vector<std::string>());
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
    return photoNamesIn(folder, namePrefix, PhotoList::kCapacity,
                        [this] { return context_.yieldAndTestStop(); });
}

std::optional<std::vector<std::string>> photoNamesIn(const std::string& folder, const std::string& namePrefix,
                                                     std::size_t limit,
                                                     const std::function<bool()>& yieldAndTestStop,
                                                     std::size_t* passedOver) {
    std::vector<std::string> listing;
    // A folder that cannot be listed holds no photo. Listed with the system's own calls: a path object
    // per entry would cost more than the rest of the scan.
    if (namesFile(folder)) {
        if (DIR* entries = ::opendir(folder.empty() ? "." : folder.c_str())) {
            while (const dirent* entry = ::readdir(entries))
                listing.emplace_back(entry->d_name);
            ::closedir(entries);
        }
    }
    std::sort(listing.begin(), listing.end(),
              [](const std::string& a, const std::string& b) { return nameOrder(a, b); });

    std::vector<std::string> photos;
    for (const std::string& name : listing) {
        // Hidden entries are not listed, and "." and ".." are among them.
        if (name.empty() || name[0] == '.') continue;
        if (name.compare(0, namePrefix.size(), namePrefix) != 0) continue;
        if (name == PhotoLoader::kAllFiles) continue;
        if (hasPhotoExtension(name)) {
            if (photos.size() == limit) {
                // The list is full; a caller that reports what it left out counts the rest.
                if (passedOver == nullptr) break;
                ++*passedOver;
                continue;
            }
            photos.push_back(name);
        }
        if (yieldAndTestStop && yieldAndTestStop()) return std::nullopt;
    }
    return photos;
}

void PhotoLoader::bildInBox(Variant& path) {
    if (path.isMissing()) path = Variant("");
    openFolder(path);
}

bool pathGiven(const Variant& path) {
    return !path.isMissing() && !path.isEmpty() && !(path.isText() && path.asText().empty());
}

bool hasPhotoExtension(const std::string& name) {
    return endsWithName(name, ".JPG") || endsWithName(name, ".TIF");
}

} // namespace pelmark
