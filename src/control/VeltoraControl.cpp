#include "control/VeltoraControl.h"

#include "base/Error.h"
#include "control/ControlImpl.h"
#include "control/Layout.h"
#include "surface/Inventory.h"

namespace pelmark {

namespace {

[[noreturn]] void notBuiltYet(const char* member) {
    throw PelmarkError(ErrorKind::NotImplemented, std::string(member) + " is not built yet");
}

} // namespace

VeltoraControl::Impl::Impl(Platform& p) : platform(p) {
    // The elements exist before anything below hears of their events.
    buildInventory(surface);

    surface.on("ShowHide", Event::Click, [this](const EventArgs&) { toggleWaypointFrame(surface); });
    surface.on(Surface::kControl, Event::Resize, [this](const EventArgs&) { keepFixedSize(surface); });
    surface.on("StopBtn", Event::Click, [this](const EventArgs&) { pressStop(); });
    surface.on("LoadTrack", Event::Click, [this](const EventArgs&) {
        trackReader.readTrackFile(Variant::missing(), SCommonDialog::CommonDialog);
    });

    garTripPath = startUp(context);
}

void VeltoraControl::Impl::pressStop() {
    stop.request();
    platform.yieldToEvents();
    // Whatever loop holds the file slot finds it closed and ends at its next read or test.
    file.close();
}

VeltoraControl::VeltoraControl(Platform& platform) : impl_(std::make_unique<Impl>(platform)) {}

VeltoraControl::~VeltoraControl() = default;

Surface& VeltoraControl::surface() {
    return impl_->surface;
}
Platform& VeltoraControl::platform() {
    return impl_->platform;
}

Variant VeltoraControl::Anzahl() const {
    return impl_->anzahl;
}
void VeltoraControl::setAnzahl(const Variant& value) {
    impl_->anzahl = value;
}
Variant VeltoraControl::GARTripPath() const {
    return impl_->garTripPath;
}
void VeltoraControl::setGARTripPath(const Variant& value) {
    impl_->garTripPath = value;
}

Variant VeltoraControl::DiffExifTrackTime(Variant& ExifTime, Variant& TrackPointTime) {
    return impl_->clockOffset.DiffExifTrackTime(ExifTime, TrackPointTime);
}
void VeltoraControl::BildInBox(Variant&) {
    notBuiltYet("BildInBox");
}
void VeltoraControl::OpenGarTrip(Variant&) {
    notBuiltYet("OpenGarTrip");
}
void VeltoraControl::PrintWayPointList() {
    notBuiltYet("PrintWayPointList");
}
Variant VeltoraControl::BinarWert(double, Variant&) {
    notBuiltYet("BinarWert");
}
Variant VeltoraControl::SearchAllTrackFiles() {
    notBuiltYet("SearchAllTrackFiles");
}
Variant VeltoraControl::ReferencePhoto() {
    notBuiltYet("ReferencePhoto");
}
Variant VeltoraControl::Wert(Variant&, Variant&) {
    notBuiltYet("Wert");
}
void VeltoraControl::LoadPictures(Variant&) {
    notBuiltYet("LoadPictures");
}
void VeltoraControl::OpenFolder(Variant&) {
    notBuiltYet("OpenFolder");
}
bool VeltoraControl::FileExist(Variant&) {
    notBuiltYet("FileExist");
}
void VeltoraControl::DatumSetzen(Variant&) {
    notBuiltYet("DatumSetzen");
}
Variant VeltoraControl::PhotoPath(Variant&) {
    notBuiltYet("PhotoPath");
}
Variant VeltoraControl::PhotoName(Variant&) {
    notBuiltYet("PhotoName");
}
Variant VeltoraControl::PhotoCount() {
    notBuiltYet("PhotoCount");
}
Variant VeltoraControl::FotoPrint() {
    notBuiltYet("FotoPrint");
}
Variant VeltoraControl::TagExif(Variant&, Variant&) {
    notBuiltYet("TagExif");
}

} // namespace pelmark
