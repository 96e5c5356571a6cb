#include "Veltora.h"

#include "VariantConversion.h"
#include "WidgetSurface.h"
#include "control/VeltoraControl.h"
#include "platform/QtPlatform.h"

namespace pelmark {

namespace {

// A caller's variable for the length of one call: the member works on the core's value, and whatever
// it wrote goes back into the caller's QVariant when the call ends, also when it ends in an error.
class ByReference {
public:
    explicit ByReference(QVariant& variable)
        : variable_(variable), value_(fromQVariant(variable)), original_(value_) {}
    ~ByReference() {
        if (!(value_ == original_)) variable_ = toQVariant(value_);
    }
    ByReference(const ByReference&) = delete;
    ByReference& operator=(const ByReference&) = delete;

    operator Variant&() { return value_; }

private:
    QVariant& variable_;
    Variant value_;
    Variant original_;
};

} // namespace

struct Veltora::Private {
    Private(Platform* given, Veltora* widget)
        : ownPlatform(given ? nullptr : std::make_unique<QtPlatform>()),
          platform(given ? *given : *ownPlatform), control(platform),
          widgets(std::make_unique<WidgetSurface>(control.surface(), widget)) {
        // Whatever a handler of the surface lets through reaches the user, not Qt's event loop.
        widgets->setFailureSink([this](std::exception_ptr failure) {
            try {
                std::rethrow_exception(failure);
            } catch (const std::exception& error) {
                platform.messageBox(error.what(), MessageButtons::Ok, "");
            } catch (...) {
                platform.messageBox("Unbekannter Fehler", MessageButtons::Ok, "");
            }
        });
    }
    ~Private() { widgets.reset(); }

    std::unique_ptr<QtPlatform> ownPlatform;
    Platform& platform;
    VeltoraControl control;
    std::unique_ptr<WidgetSurface> widgets;
};

Veltora::Veltora(QWidget* parent) : QWidget(parent), d_(std::make_unique<Private>(nullptr, this)) {}

Veltora::Veltora(Platform& platform, QWidget* parent)
    : QWidget(parent), d_(std::make_unique<Private>(&platform, this)) {}

Veltora::~Veltora() = default;

QVariant Veltora::missing() {
    return toQVariant(Variant::missing());
}

VeltoraControl& Veltora::control() {
    return d_->control;
}

const WidgetSurface& Veltora::widgetSurface() const {
    return *d_->widgets;
}

QVariant Veltora::Anzahl() const {
    return toQVariant(d_->control.Anzahl());
}
void Veltora::setAnzahl(const QVariant& value) {
    d_->control.setAnzahl(fromQVariant(value));
}
QVariant Veltora::GARTripPath() const {
    return toQVariant(d_->control.GARTripPath());
}
void Veltora::setGARTripPath(const QVariant& value) {
    d_->control.setGARTripPath(fromQVariant(value));
}

QVariant Veltora::DiffExifTrackTime(QVariant& ExifTime, QVariant& TrackPointTime) {
    ByReference exifTime(ExifTime), trackPointTime(TrackPointTime);
    return toQVariant(d_->control.DiffExifTrackTime(exifTime, trackPointTime));
}
void Veltora::BildInBox(QVariant& PictureLoadPath) {
    ByReference path(PictureLoadPath);
    d_->control.BildInBox(path);
}
void Veltora::OpenGarTrip(QVariant& FileName) {
    ByReference fileName(FileName);
    d_->control.OpenGarTrip(fileName);
}
void Veltora::PrintWayPointList() {
    d_->control.PrintWayPointList();
}
QVariant Veltora::BinarWert(double WertDez, QVariant& Length) {
    ByReference length(Length);
    return toQVariant(d_->control.BinarWert(WertDez, length));
}
QVariant Veltora::SearchAllTrackFiles() {
    return toQVariant(d_->control.SearchAllTrackFiles());
}
QVariant Veltora::ReferencePhoto() {
    return toQVariant(d_->control.ReferencePhoto());
}
QVariant Veltora::Wert(QVariant& Binar, QVariant& IIMM) {
    ByReference binar(Binar), iimm(IIMM);
    return toQVariant(d_->control.Wert(binar, iimm));
}
void Veltora::LoadPictures(QVariant& Pfad) {
    ByReference path(Pfad);
    d_->control.LoadPictures(path);
}
void Veltora::OpenFolder(QVariant& Pfad) {
    ByReference path(Pfad);
    d_->control.OpenFolder(path);
}
bool Veltora::FileExist(QVariant& DateiName) {
    ByReference name(DateiName);
    return d_->control.FileExist(name);
}
void Veltora::DatumSetzen(QVariant& BildFile) {
    ByReference file(BildFile);
    d_->control.DatumSetzen(file);
}
QVariant Veltora::PhotoPath(QVariant& PhotoNumber) {
    ByReference number(PhotoNumber);
    return toQVariant(d_->control.PhotoPath(number));
}
QVariant Veltora::PhotoName(QVariant& PhotoNumber) {
    ByReference number(PhotoNumber);
    return toQVariant(d_->control.PhotoName(number));
}
QVariant Veltora::PhotoCount() {
    return toQVariant(d_->control.PhotoCount());
}
QVariant Veltora::FotoPrint() {
    return toQVariant(d_->control.FotoPrint());
}
QVariant Veltora::TagExif(QVariant& TagKind, QVariant& BildNr) {
    ByReference kind(TagKind), number(BildNr);
    return toQVariant(d_->control.TagExif(kind, number));
}

} // namespace pelmark
