#pragma once

#include "base/Variant.h"
#include "platform/Platform.h"
#include "surface/Surface.h"

#include <memory>

namespace pelmark {

// `TagExif`'s kinds of value; the numbers are part of the public interface.
enum class TagEnum {
    DatumOriginal = 0,
    DatumDigitized = 1,
    DatumModified = 2,
    ExposureTime = 3,
    FNumber = 4,
    GPSLatitude = 5,
    GPSLongitude = 6,
    GPSAltitude = 7,
    Maker = 8,
    Camera = 9,
    Comment = 10,
    ImageDescription = 11,
    Maker_Note = 12,
    CamFirmware = 13,
};

// The dialog mode of the track reader and of the one-step run.
enum class SCommonDialog { CommonDialog = 0, NoCommonDialog = 1 };

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
