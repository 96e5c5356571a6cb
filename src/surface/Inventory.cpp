#include "surface/Inventory.h"

#include "base/Latin1.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace pelmark {

namespace {

// Builds one element; the texts are written in UTF-8 here and held as Latin-1 byte strings.
class Place {
public:
    Place(Surface& surface, std::optional<ElementId> container, int page = -1)
        : surface_(surface), container_(container), page_(page) {}

    Element& add(ElementId id, ElementKind kind, int left, int top, int width, int height,
                 const char* text = "") {
        Element element;
        element.id = id;
        element.kind = kind;
        element.container = container_;
        element.page = page_;
        element.left = left;
        element.top = top;
        element.width = width;
        element.height = height;
        element.text = latin1FromUtf8(text);
        return surface_.add(std::move(element));
    }

    // A label whose caption holds a run of blanks in which a field sits.
    Element& gapLabel(ElementId id, int left, int top, int width, const char* head, int blanks,
                      const char* tail) {
        std::string caption = std::string(head) + std::string(static_cast<std::size_t>(blanks), ' ') + tail;
        return add(id, ElementKind::Label, left, top, width, 255, caption.c_str());
    }

    Element& field(ElementId id, int left, int top, int width, int height = 285, const char* text = "") {
        return add(id, ElementKind::TextField, left, top, width, height, text);
    }

private:
    Surface& surface_;
    std::optional<ElementId> container_;
    int page_;
};

std::string latin1(const char* utf8) {
    return latin1FromUtf8(utf8);
}

void addTopLevel(Surface& surface) {
    Place top(surface, std::nullopt);
    top.add(ElementId::Veltora, ElementKind::Control, 0, 0, 15165, 6240);
    top.add(ElementId::ShowHide, ElementKind::PushButton, 1560, 60, 3135, 300).tag = "Waypoint Generator";
    top.add(ElementId::EXFrame, ElementKind::Frame, 4800, 120, 10335, 6015, "EXIF-Information");
    top.add(ElementId::WPFrame, ElementKind::Frame, 120, 480, 4575, 5175, "Create WayPointFile");
}

void addExifFrame(Surface& surface) {
    Place frame(surface, ElementId::EXFrame);
    Element& toolbar1 = frame.add(ElementId::Toolbar1, ElementKind::Toolbar, 240, 360, 765, 420);
    toolbar1.buttons = {
        {"Load", "Load", "Load Image", false, false},
        {"Open Folder", "", latin1("Öffnet einen ganzen Ordner"), false, false},
    };
    frame.add(ElementId::Controller, ElementKind::Frame, 1080, 240, 2895, 615, "Controller");
    {
        Place group(surface, ElementId::Controller);
        group.gapLabel(ElementId::BildLabel, 120, 240, 855, "Bild", 11, "/");
        group.field(ElementId::ActPictNum, 480, 240, 375, 285, "0");
        group.add(ElementId::PictureCount, ElementKind::Label, 960, 240, 255, 255, "0");
        group.add(ElementId::UpDown1, ElementKind::SpinControl, 1200, 120, 975, 360);
        group.add(ElementId::RandomChoose, ElementKind::PushButton, 2280, 240, 495, 255, "Rnd").toolTip =
            latin1("Wählt zufällig ein Bild aus dem Ordner");
    }
    Element& filePath = frame.field(ElementId::FilePath, 4080, 360, 6135, 195);
    filePath.style.readOnly = true;
    filePath.style.background = Background::ButtonFace;
    filePath.style.tabStop = false;

    // The notice line: three overlapping labels whose texts join into one sentence.
    Element& label18 = frame.add(ElementId::Label18, ElementKind::Label, 4515, 600, 255, 255, "L");
    label18.style.stackLevel = 0;
    Element& noExif =
        frame.add(ElementId::NoExifAvailable, ElementKind::Label, 4125, 600, 2190, 255, "Kein l");
    noExif.visible = false;
    noExif.style.bold = true;
    noExif.style.background = Background::Red;
    noExif.style.stackLevel = 1;
    Element& label13 =
        frame.add(ElementId::Label13, ElementKind::Label, 4560, 600, 1815, 255, " esbares Exif vorhanden!");
    label13.style.background = Background::Transparent;
    label13.style.stackLevel = 2;

    frame.add(ElementId::ShowPictures, ElementKind::CheckBox, 6480, 600, 1935, 255, "Bilder anzeigen").value =
        1;
    frame.add(ElementId::Bild, ElementKind::PictureBox, 120, 960, 5610, 1800);
    Element& tabs = frame.add(ElementId::Tab1, ElementKind::TabStrip, 5760, 960, 4455, 4455);
    tabs.items = {"Allgemein", "Belichtung", "Kamera", "GPS", "Exif"};
    tabs.selected = 0;
    frame.add(ElementId::StatusBar1, ElementKind::StatusBar, 120, 5520, 10020, 375).panels.resize(1);
    frame.add(ElementId::CommonDialog1, ElementKind::FileDialog, 0, 0, 0, 0).visible = false;
    frame.add(ElementId::ImageList1, ElementKind::ImageList, 0, 0, 0, 0).visible = false;
}

// The tab pages; positions are relative to `Tab1`, below its row of tabs.
void addGeneralPage(Surface& surface) {
    Place page(surface, ElementId::Tab1, 0);
    page.add(ElementId::Frame4, ElementKind::Frame, 120, 480, 4215, 1335, "Datum");
    {
        Place dates(surface, ElementId::Frame4);
        const char* dateTip = "YYYY:MM:DD HH:MM:SS.SSS";
        dates.add(ElementId::Label1, ElementKind::Label, 120, 300, 1575, 255, "Zuletzt geändert:");
        dates.field(ElementId::DatumZeit, 1800, 270, 2295).toolTip = dateTip;
        dates.add(ElementId::Label2, ElementKind::Label, 120, 660, 1575, 255, "Original Datum:");
        dates.field(ElementId::DateOriginalTxt, 1800, 630, 2295).toolTip = dateTip;
        dates.add(ElementId::Label3, ElementKind::Label, 120, 1020, 1575, 255, "Digitized:").toolTip =
            "Gibt an, wann das Bild digitalisiert (eingescannt) wurde.";
        dates.field(ElementId::DateDigitizedTxt, 1800, 990, 2295).toolTip = dateTip;
    }
    page.add(ElementId::Frame5, ElementKind::Frame, 120, 1920, 4215, 2415, "Beschreibung");
    {
        Place description(surface, ElementId::Frame5);
        description.add(ElementId::Label4, ElementKind::Label, 120, 240, 3975, 255,
                        "Beschreibung des Bildes:");
        description.field(ElementId::Description, 120, 480, 3975, 735).style.multiLine = true;
        description.add(ElementId::Label5, ElementKind::Label, 120, 1320, 3975, 255, "Kommentar:");
        description.field(ElementId::UserComment, 120, 1560, 3975, 735).style.multiLine = true;
    }
}

void addExposurePage(Surface& surface) {
    Place page(surface, ElementId::Tab1, 1);
    page.gapLabel(ElementId::Label6, 120, 600, 4095, "Exposure Time:", 36, "sec");
    page.field(ElementId::ExposureTimeTxt, 1320, 570, 1575);
    page.add(ElementId::Label7, ElementKind::Label, 120, 1080, 975, 255, "F-Number: F");
    page.field(ElementId::FNrTxt, 1080, 1050, 975);
    page.add(ElementId::Label8, ElementKind::Label, 120, 1560, 1575, 255, "Exposure Programm:");
    page.add(ElementId::ExposureProgram, ElementKind::ComboBox, 1680, 1530, 2535, 315);
    page.gapLabel(ElementId::Label9, 120, 2040, 2415, "ShutterSpeed: 1/", 14, "sec");
    page.field(ElementId::ShutterSpeedTxt, 1320, 2010, 735);
    page.add(ElementId::Frame2, ElementKind::Frame, 120, 2520, 4095, 1335, "Blitz");
    {
        Place flash(surface, ElementId::Frame2);
        flash.add(ElementId::Flash, ElementKind::CheckBox, 120, 300, 975, 255, "Ein");
        flash.add(ElementId::Label10, ElementKind::Label, 1320, 300, 615, 255, "Value:");
        flash.field(ElementId::FlashValue, 1920, 270, 735);
        flash
            .add(ElementId::StrobeReturnLight, ElementKind::CheckBox, 120, 720, 3735, 255,
                 "Strobe return light detected")
            .enabled = false;
    }
}

void addCameraPage(Surface& surface) {
    Place page(surface, ElementId::Tab1, 2);
    page.add(ElementId::Frame1, ElementKind::Frame, 120, 480, 4215, 1335, "Informationen über die Kamera");
    {
        Place camera(surface, ElementId::Frame1);
        camera.add(ElementId::Label11, ElementKind::Label, 120, 360, 1455, 255, "Modellnummer:");
        camera.field(ElementId::Modell, 1680, 330, 2415);
        camera.add(ElementId::Label12, ElementKind::Label, 120, 780, 1455, 255, "Software Version:");
        camera.field(ElementId::SoftWareVersion, 1680, 750, 2415);
    }
    page.add(ElementId::Frame3, ElementKind::Frame, 120, 1920, 4215, 1455, "Hersteller");
    {
        Place maker(surface, ElementId::Frame3);
        maker.field(ElementId::Hersteller, 120, 300, 3975);
        maker.add(ElementId::Label14, ElementKind::Label, 120, 720, 3975, 255, "Hersteller Notiz:");
        maker.field(ElementId::MakerNote, 120, 960, 3975);
    }
}

void addGpsPage(Surface& surface) {
    Place page(surface, ElementId::Tab1, 3);
    page.add(ElementId::Label15, ElementKind::Label, 120, 600, 1335, 255, "Position");
    page.add(ElementId::Label16, ElementKind::Label, 120, 1080, 1335, 255, "Breitengrad");
    page.field(ElementId::GPSLat, 1560, 1050, 2655);
    page.add(ElementId::Label17, ElementKind::Label, 120, 1560, 1335, 255, "Längengrad");
    page.field(ElementId::GPSLon, 1560, 1530, 2655);
    page.gapLabel(ElementId::Label20, 120, 2040, 2295, "Höhe:", 24, "m");
    page.field(ElementId::GPSAlt, 720, 2010, 1215, 285, "0");
}

void addExifPage(Surface& surface) {
    Place page(surface, ElementId::Tab1, 4);
    page.add(ElementId::Label21, ElementKind::Label, 120, 600, 1335, 255, "Exif Version:");
    page.field(ElementId::ExifVers, 1560, 570, 1215);
    page.gapLabel(ElementId::Label22, 120, 1080, 4215, "Sub Exif Offset:", 38, "(Hexadezimal)");
    page.field(ElementId::SubExifPosTxt, 1320, 1050, 1455);
    page.gapLabel(ElementId::Label23, 120, 1560, 4215, "GPS Offset:", 44, "(Hexadezimal)");
    page.field(ElementId::GPSOffSetTxt, 1080, 1530, 1455);
}

void addWaypointFrame(Surface& surface) {
    Place frame(surface, ElementId::WPFrame);
    Element& toolbar2 = frame.add(ElementId::Toolbar2, ElementKind::Toolbar, 120, 240, 4290, 390);
    toolbar2.buttons = {
        {"Load", "Load Files", "Load Files", false, false},
        {"GarTrip Starten", "Gar Trip", "Start GarTrip after processing", true, true},
        {"Options", "Options", "Optionen", false, false},
    };
    Element& hint = frame.field(ElementId::GarTripToolTipText, 120, 660, 4335, 495,
                                "If GARTrip starts, wait until the first GarTrip started and click 'No'\n");
    hint.visible = false;
    hint.style.multiLine = true;
    hint.style.readOnly = true;
    hint.style.background = Background::ToolTip;
    hint.style.stackLevel = 1; // it covers `TitelTxt` while shown
    Element& timer = frame.add(ElementId::GarTripToolTipTextTimer, ElementKind::Timer, 0, 0, 0, 0);
    timer.interval = 1000;
    timer.visible = false;
    frame.field(ElementId::TitelTxt, 120, 720, 3375, 285, "Titel");
    frame.add(ElementId::Label27, ElementKind::Label, 120, 1080, 1095, 255, "1 Trackpunkt:");
    frame.field(ElementId::DateFrom, 1680, 1080, 1815, 285, "Von");
    frame.add(ElementId::StopBtn, ElementKind::PushButton, 3600, 1080, 855, 615, "Stop");
    frame.add(ElementId::Label26, ElementKind::Label, 120, 1440, 1455, 255, "Letzter Trackpunkt:");
    frame.field(ElementId::DateTo, 1680, 1440, 1815, 285, "Bis");
    frame.add(ElementId::Ort, ElementKind::Label, 120, 1680, 375, 255, "Ort:");
    frame.field(ElementId::PathTxt, 120, 1920, 4335);
    frame.add(ElementId::Frame6, ElementKind::Frame, 1560, 2280, 2895, 975, "Manual");
    {
        Place manual(surface, ElementId::Frame6);
        manual.add(ElementId::PictureLoadBtn, ElementKind::PushButton, 120, 240, 1335, 255,
                   "1. Load Pictures");
        manual.add(ElementId::CombineCmd, ElementKind::PushButton, 1560, 240, 1215, 255, "2. Combine");
        manual.add(ElementId::LoadTrack, ElementKind::PushButton, 120, 600, 1335, 255, "1. Load Track");
        manual.add(ElementId::Compile, ElementKind::PushButton, 1560, 600, 1215, 255, "3. Compile");
    }
    frame.add(ElementId::RunAllBtn, ElementKind::PushButton, 120, 2400, 1335, 855, "RUN");
    frame.add(ElementId::Frame7, ElementKind::Frame, 120, 3360, 4335, 1215, "Zeitdifferenz GPS/Kamera");
    {
        Place offset(surface, ElementId::Frame7);
        offset.add(ElementId::Label25, ElementKind::Label, 120, 360, 735, 255, "Kamera:");
        offset.add(ElementId::KameraVor, ElementKind::OptionButton, 1080, 360, 1095, 255, "geht vor");
        offset.add(ElementId::KameraNach, ElementKind::OptionButton, 2280, 360, 1095, 255, "geht nach")
            .value = 1;
        offset.add(ElementId::Label19, ElementKind::Label, 120, 720, 975, 255, "Sekunden:");
        offset.field(ElementId::KameraShift, 1320, 720, 1215, 285, "31");
    }
    frame.add(ElementId::StatusBar2, ElementKind::StatusBar, 120, 4680, 4290, 375).panels.resize(1);
    frame.add(ElementId::WaypointImages, ElementKind::ImageList, 0, 0, 0, 0).visible = false;
}

} // namespace

void buildInventory(Surface& surface) {
    addTopLevel(surface);
    addExifFrame(surface);
    addGeneralPage(surface);
    addExposurePage(surface);
    addCameraPage(surface);
    addGpsPage(surface);
    addExifPage(surface);
    addWaypointFrame(surface);
    // Every element of the list is built here, or reaching it would fail far from the cause.
    if (surface.names().size() != kElementCount)
        throw std::logic_error("the inventory builds " + std::to_string(surface.names().size()) + " of " +
                               std::to_string(kElementCount) + " elements");
}

} // namespace pelmark
