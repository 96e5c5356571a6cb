#pragma once

#include "base/Variant.h"
#include "exif/TagEnum.h"
#include "geotag/WayPoints.h"
#include "platform/Platform.h"
#include "surface/Surface.h"
#include "track/DialogMode.h"
#include "track/Track.h"

#include <memory>

namespace pelmark {

// The control `Veltora` without its widgets: the public members in their fixed order, over the
// subsystems that do the work. By-reference parameters are the caller's variables and may be written
// back; an optional parameter left out is `Variant::missing()`. Failures reach the caller as
// PelmarkError.
class VeltoraControl {
public:
    explicit VeltoraControl(Platform& platform);
    ~VeltoraControl();
    VeltoraControl(const VeltoraControl&) = delete;
    VeltoraControl& operator=(const VeltoraControl&) = delete;

    Surface& surface();
    Platform& platform();
    // What the last track load read and what the last run matched, for a host that explains a run
    // in its own words.
    const Track& track() const;
    const WayPoints& wayPoints() const;

    Variant Anzahl() const;
    void setAnzahl(const Variant& value);
    Variant GARTripPath() const;
    void setGARTripPath(const Variant& value);
    Variant DiffExifTrackTime(Variant& ExifTime, Variant& TrackPointTime);
    void BildInBox(Variant& PictureLoadPath);
    void OpenGarTrip(Variant& FileName);
    void PrintWayPointList();
    Variant BinarWert(double WertDez, Variant& Length);
    Variant SearchAllTrackFiles();
    Variant ReferencePhoto();
    Variant Wert(Variant& Binar, Variant& IIMM);
    void LoadPictures(Variant& Pfad);
    void OpenFolder(Variant& Pfad);
    bool FileExist(Variant& DateiName);
    void DatumSetzen(Variant& BildFile);
    Variant PhotoPath(Variant& PhotoNumber);
    Variant PhotoName(Variant& PhotoNumber);
    Variant PhotoCount();
    Variant FotoPrint();
    Variant TagExif(Variant& TagKind, Variant& BildNr);

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace pelmark
