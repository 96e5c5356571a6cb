#include "surface/Inventory.h"

#include "base/Latin1.h"

#include <string>

namespace pelmark {

namespace {

// Builds one element; the texts are written in UTF-8 here and held as Latin-1 byte strings.
class Place {
public:
    Place(Surface& surface, const char* container, int page = -1)
        : surface_(surface), container_(container), page_(page) {}

    Element& add(const char* name, ElementKind kind, int left, int top, int width, int height,
                 const char* text = "") {
        Element element;
        element.name = name;
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
    Element& gapLabel(const char* name, int left, int top, int width, const char* head, int blanks,
                      const char* tail) {
        std::string caption = std::string(head) + std::string(static_cast<std::size_t>(blanks), ' ') + tail;
        return add(name, ElementKind::Label, left, top, width, 255, caption.c_str());
    }

    Element& field(const char* name, int left, int top, int width, int height = 285, const char* text = "") {
        return add(name, ElementKind::TextField, left, top, width, height, text);
    }

private:
    Surface& surface_;
    const char* container_;
    int page_;
};

std::string latin1(const char* utf8) {
    return latin1FromUtf8(utf8);
}

void addTopLevel(Surface& surface) {
    Place top(surface, "");
    Element& control = top.add(Surface::kControl, ElementKind::Control, 0, 0, 15165, 6240);
    control.container.clear();
    top.add("ShowHide", ElementKind::PushButton, 1560, 60, 3135, 300).tag = "Waypoint Generator";
    top.add("EXFrame", ElementKind::Frame, 4800, 120, 10335, 6015, "EXIF-Information");
    top.add("WPFrame", ElementKind::Frame, 120, 480, 4575, 5175, "Create WayPointFile");
}

void addExifFrame(Surface& surface) {
    Place frame(surface, "EXFrame");
    Element& toolbar1 = frame.add("Toolbar1", ElementKind::Toolbar, 240, 360, 765, 420);
    toolbar1.buttons = {
        {"Load", "Load", "Load Image", false, false},
        {"Open Folder", "", latin1("Öffnet einen ganzen Ordner"), false, false},
    };
    frame.add("Controller", ElementKind::Frame, 1080, 240, 2895, 615, "Controller");
    {
        Place group(surface, "Controller");
        group.gapLabel("BildLabel", 120, 240, 855, "Bild", 11, "/");
        group.field("ActPictNum", 480, 240, 375, 285, "0");
        group.add("PictureCount", ElementKind::Label, 960, 240, 255, 255, "0");
        group.add("UpDown1", ElementKind::SpinControl, 1200, 120, 975, 360);
        group.add("RandomChoose", ElementKind::PushButton, 2280, 240, 495, 255, "Rnd").toolTip =
            latin1("Wählt zufällig ein Bild aus dem Ordner");
    }
    Element& filePath = frame.field("FilePath", 4080, 360, 6135, 195);
    filePath.style.readOnly = true;
    filePath.style.background = Background::ButtonFace;
    filePath.style.tabStop = false;

    // The notice line: three overlapping labels whose texts join into one sentence.
    Element& label18 = frame.add("Label18", ElementKind::Label, 4515, 600, 255, 255, "L");
    label18.style.stackLevel = 0;
    Element& noExif = frame.add("NoExifAvailable", ElementKind::Label, 4125, 600, 2190, 255, "Kein l");
    noExif.visible = false;
    noExif.style.bold = true;
    noExif.style.background = Background::Red;
    noExif.style.stackLevel = 1;
    Element& label13 =
        frame.add("Label13", ElementKind::Label, 4560, 600, 1815, 255, " esbares Exif vorhanden!");
    label13.style.background = Background::Transparent;
    label13.style.stackLevel = 2;

    frame.add("ShowPictures", ElementKind::CheckBox, 6480, 600, 1935, 255, "Bilder anzeigen").value = 1;
    frame.add("Bild", ElementKind::PictureBox, 120, 960, 5610, 1800);
    Element& tabs = frame.add("Tab1", ElementKind::TabStrip, 5760, 960, 4455, 4455);
    tabs.items = {"Allgemein", "Belichtung", "Kamera", "GPS", "Exif"};
    tabs.selected = 0;
    frame.add("StatusBar1", ElementKind::StatusBar, 120, 5520, 10020, 375).panels.resize(1);
    frame.add("CommonDialog1", ElementKind::FileDialog, 0, 0, 0, 0).visible = false;
    frame.add("ImageList1", ElementKind::ImageList, 0, 0, 0, 0).visible = false;
}

// The tab pages; positions are relative to `Tab1`, below its row of tabs.
void addGeneralPage(Surface& surface) {
    Place page(surface, "Tab1", 0);
    page.add("Frame4", ElementKind::Frame, 120, 480, 4215, 1335, "Datum");
    {
        Place dates(surface, "Frame4");
        const char* dateTip = "YYYY:MM:DD HH:MM:SS.SSS";
        dates.add("Label1", ElementKind::Label, 120, 300, 1575, 255, "Zuletzt geändert:");
        dates.field("DatumZeit", 1800, 270, 2295).toolTip = dateTip;
        dates.add("Label2", ElementKind::Label, 120, 660, 1575, 255, "Original Datum:");
        dates.field("DateOriginalTxt", 1800, 630, 2295).toolTip = dateTip;
        dates.add("Label3", ElementKind::Label, 120, 1020, 1575, 255, "Digitized:").toolTip =
            "Gibt an, wann das Bild digitalisiert (eingescannt) wurde.";
        dates.field("DateDigitizedTxt", 1800, 990, 2295).toolTip = dateTip;
    }
    page.add("Frame5", ElementKind::Frame, 120, 1920, 4215, 2415, "Beschreibung");
    {
        Place description(surface, "Frame5");
        description.add("Label4", ElementKind::Label, 120, 240, 3975, 255, "Beschreibung des Bildes:");
        description.field("Description", 120, 480, 3975, 735).style.multiLine = true;
        description.add("Label5", ElementKind::Label, 120, 1320, 3975, 255, "Kommentar:");
        description.field("UserComment", 120, 1560, 3975, 735).style.multiLine = true;
    }
}

void addExposurePage(Surface& surface) {
    Place page(surface, "Tab1", 1);
    page.gapLabel("Label6", 120, 600, 4095, "Exposure Time:", 36, "sec");
    page.field("ExposureTimeTxt", 1320, 570, 1575);
    page.add("Label7", ElementKind::Label, 120, 1080, 975, 255, "F-Number: F");
    page.field("FNrTxt", 1080, 1050, 975);
    page.add("Label8", ElementKind::Label, 120, 1560, 1575, 255, "Exposure Programm:");
    page.add("ExposureProgram", ElementKind::ComboBox, 1680, 1530, 2535, 315);
    page.gapLabel("Label9", 120, 2040, 2415, "ShutterSpeed: 1/", 14, "sec");
    page.field("ShutterSpeedTxt", 1320, 2010, 735);
    page.add("Frame2", ElementKind::Frame, 120, 2520, 4095, 1335, "Blitz");
    {
        Place flash(surface, "Frame2");
        flash.add("Flash", ElementKind::CheckBox, 120, 300, 975, 255, "Ein");
        flash.add("Label10", ElementKind::Label, 1320, 300, 615, 255, "Value:");
        flash.field("FlashValue", 1920, 270, 735);
        flash
            .add("StrobeReturnLight", ElementKind::CheckBox, 120, 720, 3735, 255,
                 "Strobe return light detected")
            .enabled = false;
    }
}

void addCameraPage(Surface& surface) {
    Place page(surface, "Tab1", 2);
    page.add("Frame1", ElementKind::Frame, 120, 480, 4215, 1335, "Informationen über die Kamera");
    {
        Place camera(surface, "Frame1");
        camera.add("Label11", ElementKind::Label, 120, 360, 1455, 255, "Modellnummer:");
        camera.field("Modell", 1680, 330, 2415);
        camera.add("Label12", ElementKind::Label, 120, 780, 1455, 255, "Software Version:");
        camera.field("SoftWareVersion", 1680, 750, 2415);
    }
    page.add("Frame3", ElementKind::Frame, 120, 1920, 4215, 1455, "Hersteller");
    {
        Place maker(surface, "Frame3");
        maker.field("Hersteller", 120, 300, 3975);
        maker.add("Label14", ElementKind::Label, 120, 720, 3975, 255, "Hersteller Notiz:");
        maker.field("MakerNote", 120, 960, 3975);
    }
}

void addGpsPage(Surface& surface) {
    Place page(surface, "Tab1", 3);
    page.add("Label15", ElementKind::Label, 120, 600, 1335, 255, "Position");
    page.add("Label16", ElementKind::Label, 120, 1080, 1335, 255, "Breitengrad");
    page.field("GPSLat", 1560, 1050, 2655);
    page.add("Label17", ElementKind::Label, 120, 1560, 1335, 255, "Längengrad");
    page.field("GPSLon", 1560, 1530, 2655);
    page.gapLabel("Label20", 120, 2040, 2295, "Höhe:", 24, "m");
    page.field("GPSAlt", 720, 2010, 1215, 285, "0");
}

void addExifPage(Surface& surface) {
    Place page(surface, "Tab1", 4);
    page.add("Label21", ElementKind::Label, 120, 600, 1335, 255, "Exif Version:");
    page.field("ExifVers", 1560, 570, 1215);
    page.gapLabel("Label22", 120, 1080, 4215, "Sub Exif Offset:", 38, "(Hexadezimal)");
    page.field("SubExifPosTxt", 1320, 1050, 1455);
    page.gapLabel("Label23", 120, 1560, 4215, "GPS Offset:", 44, "(Hexadezimal)");
    page.field("GPSOffSetTxt", 1080, 1530, 1455);
}

void addWaypointFrame(Surface& surface) {
    Place frame(surface, "WPFrame");
    Element& toolbar2 = frame.add("Toolbar2", ElementKind::Toolbar, 120, 240, 4290, 390);
    toolbar2.buttons = {
        {"Load", "Load Files", "Load Files", false, false},
        {"GarTrip Starten", "Gar Trip", "Start GarTrip after processing", true, true},
        {"Options", "Options", "Optionen", false, false},
    };
    Element& hint = frame.field("GarTripToolTipText", 120, 660, 4335, 495,
                                "If GARTrip starts, wait until the first GarTrip started and click 'No'\n");
    hint.visible = false;
    hint.style.multiLine = true;
    hint.style.readOnly = true;
    hint.style.background = Background::ToolTip;
    hint.style.stackLevel = 1; // it covers `TitelTxt` while shown
    Element& timer = frame.add("GarTripToolTipTextTimer", ElementKind::Timer, 0, 0, 0, 0);
    timer.interval = 1000;
    timer.visible = false;
    frame.field("TitelTxt", 120, 720, 3375, 285, "Titel");
    frame.add("Label27", ElementKind::Label, 120, 1080, 1095, 255, "1 Trackpunkt:");
    frame.field("DateFrom", 1680, 1080, 1815, 285, "Von");
    frame.add("StopBtn", ElementKind::PushButton, 3600, 1080, 855, 615, "Stop");
    frame.add("Label26", ElementKind::Label, 120, 1440, 1455, 255, "Letzter Trackpunkt:");
    frame.field("DateTo", 1680, 1440, 1815, 285, "Bis");
    frame.add("Ort", ElementKind::Label, 120, 1680, 375, 255, "Ort:");
    frame.field("PathTxt", 120, 1920, 4335);
    frame.add("Frame6", ElementKind::Frame, 1560, 2280, 2895, 975, "Manual");
    {
        Place manual(surface, "Frame6");
        manual.add("PictureLoadBtn", ElementKind::PushButton, 120, 240, 1335, 255, "1. Load Pictures");
        manual.add("CombineCmd", ElementKind::PushButton, 1560, 240, 1215, 255, "2. Combine");
        manual.add("LoadTrack", ElementKind::PushButton, 120, 600, 1335, 255, "1. Load Track");
        manual.add("Compile", ElementKind::PushButton, 1560, 600, 1215, 255, "3. Compile");
    }
    frame.add("RunAllBtn", ElementKind::PushButton, 120, 2400, 1335, 855, "RUN");
    frame.add("Frame7", ElementKind::Frame, 120, 3360, 4335, 1215, "Zeitdifferenz GPS/Kamera");
    {
        Place offset(surface, "Frame7");
        offset.add("Label25", ElementKind::Label, 120, 360, 735, 255, "Kamera:");
        offset.add("KameraVor", ElementKind::OptionButton, 1080, 360, 1095, 255, "geht vor");
        offset.add("KameraNach", ElementKind::OptionButton, 2280, 360, 1095, 255, "geht nach").value = 1;
        offset.add("Label19", ElementKind::Label, 120, 720, 975, 255, "Sekunden:");
        offset.field("KameraShift", 1320, 720, 1215, 285, "31");
    }
    frame.add("StatusBar2", ElementKind::StatusBar, 120, 4680, 4290, 375).panels.resize(1);
    frame.add("WaypointImages", ElementKind::ImageList, 0, 0, 0, 0).visible = false;
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
}

} // namespace pelmark
