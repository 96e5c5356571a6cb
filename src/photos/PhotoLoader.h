#pragma once

#include "base/Variant.h"
#include "exif/ExifParser.h"
#include "records/PhotoList.h"
#include "surface/Context.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pelmark {

// Loading photos: one file as the current photo (its EXIF data and its picture), or a whole folder into
// the photo list. Operations given a path report failures as PelmarkError; the same operations started
// through the file dialog end silently at a cancel or a failure.
class PhotoLoader {
public:
    PhotoLoader(Context& context, ExifParser& parser);

    // `LoadPictures`: a missing or empty path shows the file dialog. True when the photo was read to
    // its end and is still the one shown: false after a cancel, a Stop or a newer load.
    bool loadPictures(const Variant& path);
    // `OpenFolder`: a missing or empty path shows the folder dialog; on return `path` holds the folder.
    // A scan that the user stops leaves the list, the count and the photo shown before as they were.
    // With `namesFolder` false the path is taken as naming no folder (a dropped path cut short).
    void openFolder(Variant& path, bool namesFolder = true);
    // `BildInBox`: `OpenFolder` with the path, or with "" when it is missing.
    void bildInBox(Variant& path);
    // `PhotoCount`: the list's count in folder mode; 1 or 0 for a shown picture in single-photo mode.
    Variant photoCount() const;

    // Shows the file in `Bild` when it is a ".jpg" and pictures are on; otherwise clears the box.
    void showPicture(const std::string& path);

    const PhotoList& list() const { return list_; }

    static constexpr const char* kLoadFilter = "Alle Dateien|*|JPG-Dateien|*.jpg|Tiff-Dateien|*.tif";
    static constexpr const char* kFolderFilter = "Ordner wird von Programm ausgew\xE4hlt|*";
    // The dialog opens on this name; confirming it takes the whole folder.
    static constexpr const char* kAllFiles = "Alle Dateien";
    static constexpr const char* kFolderPreset = "G:/DATEN/BILDER/Olympus/Test/Alle Dateien";

private:
    bool loadFile();
    void clearExifFields();
    // The photo names of the folder in name order; nothing when the user stopped the scan.
    std::optional<std::vector<std::string>> scanFolder(const std::string& folder,
                                                       const std::string& namePrefix);

    Context& context_;
    ExifParser& parser_;
    PhotoList list_;
    int loads_ = 0;
};

// True when a path parameter holds something other than nothing or the empty text.
bool pathGiven(const Variant& path);

// The photo names of `folder` that begin with `namePrefix`, in name order, at most `limit` of them;
// hidden entries are left out. `yieldAndTestStop` runs after every entry taken or looked at: nothing
// when it asks to stop. With `passedOver`, the photos beyond the limit are counted there.
std::optional<std::vector<std::string>> photoNamesIn(const std::string& folder, const std::string& namePrefix,
                                                     std::size_t limit,
                                                     const std::function<bool()>& yieldAndTestStop = {},
                                                     std::size_t* passedOver = nullptr);

// True for a name whose last four characters are ".jpg" or ".tif", in any letter case.
bool hasPhotoExtension(const std::string& name);

} // namespace pelmark
