#include "control/VeltoraControl.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "control/ControlImpl.h"
#include "control/FrameActions.h"
#include "control/Layout.h"
#include "exif/BinarWert.h"
#include "exif/ByteOrder.h"
#include "photos/FileExist.h"
#include "photos/PhotoQueries.h"
#include "surface/Inventory.h"

namespace pelmark {

VeltoraControl::Impl::Impl(Platform& p) : platform(p) {
    // The elements exist before anything below hears of their events.
    buildInventory(surface);

    wireControl(parts);
    startUp(context);
}

void VeltoraControl::Impl::pressStop() {
    stop.request();
    context.yield();
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
const Track& VeltoraControl::track() const {
    return impl_->trackReader.track();
}
const WayPoints& VeltoraControl::wayPoints() const {
    return impl_->matchingRun.wayPoints();
}
Job VeltoraControl::runningJob() const {
    return impl_->jobs.running();
}

Variant VeltoraControl::Anzahl() const {
    return impl_->anzahl;
}
void VeltoraControl::setAnzahl(const Variant& value) {
    impl_->anzahl = value;
}
Variant VeltoraControl::GARTripPath() const {
    return impl_->garTripPath.get();
}
void VeltoraControl::setGARTripPath(const Variant& value) {
    impl_->garTripPath.set(value);
}

Variant VeltoraControl::DiffExifTrackTime(Variant& ExifTime, Variant& TrackPointTime) {
    return impl_->clockOffset.DiffExifTrackTime(ExifTime, TrackPointTime);
}
void VeltoraControl::BildInBox(Variant& PictureLoadPath) {
    StopRequest::OutsideAction action(impl_->stop);
    impl_->photoLoader.bildInBox(PictureLoadPath);
}
void VeltoraControl::OpenGarTrip(Variant& FileName) {
    openGarTrip(impl_->platform, impl_->garTripPath.get(), FileName);
}
void VeltoraControl::PrintWayPointList() {
    StopRequest::OutsideAction action(impl_->stop);
    impl_->wayPointWriter.printWayPointList();
}
Variant VeltoraControl::BinarWert(double WertDez, Variant& Length) {
    return pelmark::BinarWert(WertDez, numberOf(Length, impl_->platform.decimalSeparator()));
}
Variant VeltoraControl::SearchAllTrackFiles() {
    StopRequest::OutsideAction action(impl_->stop);
    return impl_->oneStepRuns.searchAllTrackFiles();
}
Variant VeltoraControl::ReferencePhoto() {
    return impl_->matchingRun.referencePhoto();
}
Variant VeltoraControl::Wert(Variant& Binar, Variant& IIMM) {
    return pelmark::Wert(textOf(Binar, impl_->platform.decimalSeparator()), IIMM);
}
void VeltoraControl::LoadPictures(Variant& Pfad) {
    StopRequest::OutsideAction action(impl_->stop);
    impl_->photoLoader.loadPictures(Pfad);
}
void VeltoraControl::OpenFolder(Variant& Pfad) {
    StopRequest::OutsideAction action(impl_->stop);
    impl_->photoLoader.openFolder(Pfad);
}
bool VeltoraControl::FileExist(Variant& DateiName) {
    return DateiName.isText() && fileExist(DateiName.asText());
}
void VeltoraControl::DatumSetzen(Variant& BildFile) {
    StopRequest::OutsideAction action(impl_->stop);
    impl_->fileDates.datumSetzen(BildFile);
}
Variant VeltoraControl::PhotoPath(Variant& PhotoNumber) {
    StopRequest::OutsideAction action(impl_->stop);
    return photoPath(impl_->context, PhotoNumber);
}
Variant VeltoraControl::PhotoName(Variant& PhotoNumber) {
    StopRequest::OutsideAction action(impl_->stop);
    return photoName(impl_->context, PhotoNumber);
}
Variant VeltoraControl::PhotoCount() {
    return impl_->photoLoader.photoCount();
}
Variant VeltoraControl::FotoPrint() {
    return fotoPrint(impl_->surface);
}
Variant VeltoraControl::TagExif(Variant& TagKind, Variant& BildNr) {
    StopRequest::OutsideAction action(impl_->stop);
    return impl_->tagQuery.tagExif(TagKind, BildNr);
}

} // namespace pelmark
