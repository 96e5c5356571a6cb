#include "photos/PhotoLoader.h"

#include "base/Error.h"
#include "base/NumberText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

namespace pelmark {

namespace {

// The fields a load clears, in the order it clears them; check boxes go to unchecked.
struct ClearedField {
    const char* name;
    bool checkBox;
};
constexpr std::array kClearedFields{
    ClearedField{"DateOriginalTxt", false},
    ClearedField{"ExifVers", false},
    ClearedField{"DateDigitizedTxt", false},
    ClearedField{"Description", false},
    ClearedField{"Hersteller", false},
    ClearedField{"Modell", false},
    ClearedField{"SoftWareVersion", false},
    ClearedField{"DatumZeit", false},
    ClearedField{"ExposureTimeTxt", false},
    ClearedField{"FNrTxt", false},
    ClearedField{"ExposureProgram", false},
    ClearedField{"ShutterSpeedTxt", false},
    ClearedField{"Flash", true},
    ClearedField{"FlashValue", false},
    ClearedField{"StrobeReturnLight", true},
    ClearedField{"SubExifPosTxt", false},
    ClearedField{"UserComment", false},
};

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

PhotoLoader::PhotoLoader(Context& context, ExifParser& parser) : context_(context), parser_(parser) {}

void PhotoLoader::wire() {
    context_.surface.on("PictureLoadBtn", Event::Click, [this](const EventArgs&) {
        Variant path("");
        try {
            bildInBox(path);
        } catch (const PelmarkError&) {
            // Started by the user through the dialog: a failure ends it silently.
        }
    });
}

void PhotoLoader::loadPictures(const Variant& path) {
    const bool byPath = pathGiven(path);
    if (byPath) {
        context_.dialog.fileName = textOf(path, context_.platform.decimalSeparator());
    } else {
        context_.dialog.filter = kLoadFilter;
        if (!context_.dialog.showOpen()) return;
        context_.surface.setValue("ShowPictures", 1);
    }
    try {
        loadFile();
    } catch (const PelmarkError&) {
        if (byPath) throw;
    }
}

void PhotoLoader::loadFile() {
    FileSlot& file = context_.file;
    Surface& surface = context_.surface;
    // Another operation (a track read, a waypoint write) holds the slot while it yields: its file stays
    // its own. Only a load of our own may be superseded, by the newer one.
    if (file.isOpen() && !parser_.walking())
        throw PelmarkError(ErrorKind::Busy, "Another operation is using the file");
    const int load = ++loads_;

    clearExifFields();
    StatusCounters(surface).clearAll();
    surface.setVisible("NoExifAvailable", false);

    const std::string name = context_.dialog.fileName;
    // The path goes with the number from the start: a load that fails must not leave the new number
    // beside the previous photo's path.
    surface.setText("FilePath", list_.path(surface.value("UpDown1")));
    if (!file.openForReading(name)) {
        std::error_code error;
        if (namesFile(name) && std::filesystem::exists(name, error))
            throw PelmarkError(ErrorKind::FileRead, "Path/File access error: " + name);
        throw PelmarkError(ErrorKind::FileNotFound, "File not found: " + name);
    }
    ExifParser::Outcome outcome;
    try {
        outcome = parser_.readOpenPhoto();
    } catch (...) {
        file.close();
        throw;
    }
    if (outcome == ExifParser::Outcome::Superseded) return;
    file.close();

    if (outcome == ExifParser::Outcome::NoExif) {
        surface.setVisible("NoExifAvailable", true);
    } else {
        context_.platform.yieldToEvents();
        if (loads_ != load) return; // a newer load has shown its own photo meanwhile
    }
    showPicture(name);
}

void PhotoLoader::clearExifFields() {
    Surface& surface = context_.surface;
    for (const ClearedField& field : kClearedFields) {
        if (field.checkBox)
            surface.setValue(field.name, 0);
        else
            surface.setText(field.name, "");
    }
}

void PhotoLoader::showPicture(const std::string& path) {
    Surface& surface = context_.surface;
    const bool jpeg = path.size() >= 3 && upper(path.substr(path.size() - 3)) == "JPG";
    if (jpeg && surface.value("ShowPictures") == 1) {
        const Element& box = surface.get("Bild");
        surface.setPicture("Bild", context_.platform.loadPicture(path, box.width, box.height));
    } else {
        surface.setPicture("Bild", std::nullopt);
    }
}

Variant PhotoLoader::photoCount() const {
    const Surface& surface = context_.surface;
    if (surface.get("PictureCount").enabled) return Variant(leadingNumber(surface.text("PictureCount")));
    const auto& picture = surface.get("Bild").picture;
    return Variant(picture && picture->width != 0 ? 1 : 0);
}

bool pathGiven(const Variant& path) {
    return !path.isMissing() && !path.isEmpty() && !(path.isText() && path.asText().empty());
}

bool hasPhotoExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ending = upper(name.substr(name.size() - 4));
    return ending == ".JPG" || ending == ".TIF";
}

} // namespace pelmark
