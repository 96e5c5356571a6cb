#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelmark {

// Every named element of the control, written once: the logic reaches an element through its
// `ElementId`, an index into the surface's elements, and the name is kept only for those who come with
// a name from outside (the console's user, the widget surface's object names, tests). Grouped as the
// inventory builds them; the inventory, not this list, decides the elements' order.
// clang-format off
#define PELMARK_ELEMENTS(X)                                                                                  \
    /* the control's own client area, and the top level */                                                   \
    X(Veltora) X(ShowHide) X(EXFrame) X(WPFrame)                                                             \
    /* the EXIF frame */                                                                                     \
    X(Toolbar1) X(Controller) X(BildLabel) X(ActPictNum) X(PictureCount) X(UpDown1) X(RandomChoose)          \
    X(FilePath) X(Label18) X(NoExifAvailable) X(Label13) X(ShowPictures) X(Bild) X(Tab1) X(StatusBar1)       \
    X(CommonDialog1) X(ImageList1)                                                                           \
    /* the tab pages */                                                                                      \
    X(Frame4) X(Label1) X(DatumZeit) X(Label2) X(DateOriginalTxt) X(Label3) X(DateDigitizedTxt)              \
    X(Frame5) X(Label4) X(Description) X(Label5) X(UserComment)                                              \
    X(Label6) X(ExposureTimeTxt) X(Label7) X(FNrTxt) X(Label8) X(ExposureProgram) X(Label9)                  \
    X(ShutterSpeedTxt) X(Frame2) X(Flash) X(Label10) X(FlashValue) X(StrobeReturnLight)                      \
    X(Frame1) X(Label11) X(Modell) X(Label12) X(SoftWareVersion) X(Frame3) X(Hersteller) X(Label14)          \
    X(MakerNote)                                                                                             \
    X(Label15) X(Label16) X(GPSLat) X(Label17) X(GPSLon) X(Label20) X(GPSAlt)                                \
    X(Label21) X(ExifVers) X(Label22) X(SubExifPosTxt) X(Label23) X(GPSOffSetTxt)                            \
    /* the waypoint frame */                                                                                 \
    X(Toolbar2) X(GarTripToolTipText) X(GarTripToolTipTextTimer) X(TitelTxt) X(Label27) X(DateFrom)          \
    X(StopBtn) X(Label26) X(DateTo) X(Ort) X(PathTxt) X(Frame6) X(PictureLoadBtn) X(CombineCmd)              \
    X(LoadTrack) X(Compile) X(RunAllBtn) X(Frame7) X(Label25) X(KameraVor) X(KameraNach) X(Label19)          \
    X(KameraShift) X(StatusBar2) X(WaypointImages)
// clang-format on

enum class ElementId : std::uint16_t {
#define PELMARK_ELEMENT_ID(name) name,
    PELMARK_ELEMENTS(PELMARK_ELEMENT_ID)
#undef PELMARK_ELEMENT_ID
};

inline constexpr std::array kElementNames = {
#define PELMARK_ELEMENT_NAME(name) std::string_view(#name),
    PELMARK_ELEMENTS(PELMARK_ELEMENT_NAME)
#undef PELMARK_ELEMENT_NAME
};

inline constexpr std::size_t kElementCount = kElementNames.size();

constexpr std::size_t indexOf(ElementId id) {
    return static_cast<std::size_t>(id);
}

constexpr std::string_view elementName(ElementId id) {
    return kElementNames[indexOf(id)];
}

// The element of that exact name, if the control has one.
std::optional<ElementId> elementIdOf(std::string_view name);

// An element given by its handle or, where the name comes from outside (the console, tests), by its
// name; an unknown name throws PelmarkError (InvalidArgument) here, before anything happens.
class ElementRef {
public:
    constexpr ElementRef(ElementId id) : id_(id) {}
    ElementRef(std::string_view name);
    ElementRef(const char* name) : ElementRef(std::string_view(name)) {}
    ElementRef(const std::string& name) : ElementRef(std::string_view(name)) {}

    constexpr ElementId id() const { return id_; }

private:
    ElementId id_;
};

} // namespace pelmark
