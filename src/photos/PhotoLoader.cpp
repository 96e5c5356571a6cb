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
    ElementId field;
    bool checkBox;
};
constexpr std::array kClearedFields{
    ClearedField{ElementId::DateOriginalTxt, false},
    ClearedField{ElementId::ExifVers, false},
    ClearedField{ElementId::DateDigitizedTxt, false},
    ClearedField{ElementId::Description, false},
    ClearedField{ElementId::Hersteller, false},
    ClearedField{ElementId::Modell, false},
    ClearedField{ElementId::SoftWareVersion, false},
    ClearedField{ElementId::DatumZeit, false},
    ClearedField{ElementId::ExposureTimeTxt, false},
    ClearedField{ElementId::FNrTxt, false},
    ClearedField{ElementId::ExposureProgram, false},
    ClearedField{ElementId::ShutterSpeedTxt, false},
    ClearedField{ElementId::Flash, true},
    ClearedField{ElementId::FlashValue, false},
    ClearedField{ElementId::StrobeReturnLight, true},
    ClearedField{ElementId::SubExifPosTxt, false},
    ClearedField{ElementId::UserComment, false},
};

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

PhotoLoader::PhotoLoader(Context& context, ExifParser& parser) : context_(context), parser_(parser) {}

void PhotoLoader::wire() {
    context_.surface.on(ElementId::PictureLoadBtn, Event::Click, [this](const EventArgs&) {
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
        context_.surface.setValue(ElementId::ShowPictures, 1);
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
    surface.setVisible(ElementId::NoExifAvailable, false);

    const std::string name = context_.dialog.fileName;
    // The path goes with the number from the start: a load that fails must not leave the new number
    // beside the previous photo's path.
    surface.setText(ElementId::FilePath, list_.path(surface.value(ElementId::UpDown1)));
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
        surface.setVisible(ElementId::NoExifAvailable, true);
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
            surface.setValue(field.field, 0);
        else
            surface.setText(field.field, "");
    }
}

void PhotoLoader::showPicture(const std::string& path) {
    Surface& surface = context_.surface;
    const bool jpeg = path.size() >= 3 && upper(path.substr(path.size() - 3)) == "JPG";
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

bool pathGiven(const Variant& path) {
    return !path.isMissing() && !path.isEmpty() && !(path.isText() && path.asText().empty());
}

bool hasPhotoExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ending = upper(name.substr(name.size() - 4));
    return ending == ".JPG" || ending == ".TIF";
}

} // namespace pelmark
