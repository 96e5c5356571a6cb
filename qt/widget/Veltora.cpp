#include "widget/Veltora.h"

#include "control/VeltoraControl.h"
#include "qtplatform/QtPlatform.h"
#include "widget/UserMessage.h"
#include "widget/VariantConversion.h"
#include "widget/WidgetSurface.h"

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

// Announces, when a call ends, whatever it changed of the two properties.
class Veltora::Announce {
public:
    explicit Announce(Veltora& widget) : widget_(widget) {}
    ~Announce() { widget_.announceChanges(); }
    Announce(const Announce&) = delete;
    Announce& operator=(const Announce&) = delete;

private:
    Veltora& widget_;
};

struct Veltora::Private {
    Private(Platform* given, Veltora* widget)
        : ownPlatform(given ? nullptr : std::make_unique<QtPlatform>()),
          platform(given ? *given : *ownPlatform), control(platform),
          widgets(std::make_unique<WidgetSurface>(control.surface(), widget)) {
        // Boxes and dialogs come up over the window the control sits in.
        if (ownPlatform) ownPlatform->setDialogOwner(widget);
        // Whatever a handler of the surface lets through reaches the user, not Qt's event loop.
        widgets->setFailureSink([this](std::exception_ptr failure) {
            try {
                std::rethrow_exception(failure);
            } catch (const std::exception& error) {
                platform.messageBox(userMessage(error), MessageButtons::Ok, "");
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
    // The property values last announced.
    Variant anzahl;
    Variant garTripPath;
};

Veltora::Veltora(QWidget* parent) : QWidget(parent), d_(std::make_unique<Private>(nullptr, this)) {
    watchProperties();
}

Veltora::Veltora(Platform& platform, QWidget* parent)
    : QWidget(parent), d_(std::make_unique<Private>(&platform, this)) {
    watchProperties();
}

void Veltora::watchProperties() {
    d_->anzahl = d_->control.Anzahl();
    d_->garTripPath = d_->control.GARTripPath();
    // A user's action changes the properties on the way (a track load sets `Anzahl`); the surface
    // shows its end, so every change of an element is a moment to look. The surface lives in `d_`.
    d_->control.surface().addObserver([this](const Element&, Property) { announceChanges(); });
}

void Veltora::announceChanges() {
    Variant anzahl = d_->control.Anzahl();
    Variant path = d_->control.GARTripPath();
    bool anzahlChanged = !(anzahl == d_->anzahl);
    bool pathChanged = !(path == d_->garTripPath);
    d_->anzahl = std::move(anzahl);
    d_->garTripPath = std::move(path);
    if (anzahlChanged) emit AnzahlChanged();
    if (pathChanged) emit GARTripPathChanged();
}

Veltora::~Veltora() = default;

QVariant Veltora::missing() {
    return toQVariant(Variant::missing());
}

VeltoraControl& Veltora::control() {
    return d_->control;
}

QVariant Veltora::Anzahl() const {
    return toQVariant(d_->control.Anzahl());
}
void Veltora::setAnzahl(const QVariant& value) {
    Announce announce(*this);
    d_->control.setAnzahl(fromQVariant(value));
}
QVariant Veltora::GARTripPath() const {
    return toQVariant(d_->control.GARTripPath());
}
void Veltora::setGARTripPath(const QVariant& value) {
    Announce announce(*this);
    d_->control.setGARTripPath(fromQVariant(value));
}

QVariant Veltora::DiffExifTrackTime(QVariant& ExifTime, QVariant& TrackPointTime) {
    Announce announce(*this);
    ByReference exifTime(ExifTime), trackPointTime(TrackPointTime);
    return toQVariant(d_->control.DiffExifTrackTime(exifTime, trackPointTime));
}
void Veltora::BildInBox(QVariant& PictureLoadPath) {
    Announce announce(*this);
    ByReference path(PictureLoadPath);
    d_->control.BildInBox(path);
}
void Veltora::OpenGarTrip(QVariant& FileName) {
    Announce announce(*this);
    ByReference fileName(FileName);
    d_->control.OpenGarTrip(fileName);
}
void Veltora::PrintWayPointList() {
    Announce announce(*this);
    d_->control.PrintWayPointList();
}
QVariant Veltora::BinarWert(double WertDez, QVariant& Length) {
    Announce announce(*this);
    ByReference length(Length);
    return toQVariant(d_->control.BinarWert(WertDez, length));
}
QVariant Veltora::SearchAllTrackFiles() {
    Announce announce(*this);
    return toQVariant(d_->control.SearchAllTrackFiles());
}
QVariant Veltora::ReferencePhoto() {
    Announce announce(*this);
    return toQVariant(d_->control.ReferencePhoto());
}
QVariant Veltora::Wert(QVariant& Binar, QVariant& IIMM) {
    Announce announce(*this);
    ByReference binar(Binar), iimm(IIMM);
    return toQVariant(d_->control.Wert(binar, iimm));
}
void Veltora::LoadPictures(QVariant& Pfad) {
    Announce announce(*this);
    ByReference path(Pfad);
    d_->control.LoadPictures(path);
}
void Veltora::OpenFolder(QVariant& Pfad) {
    Announce announce(*this);
    ByReference path(Pfad);
    d_->control.OpenFolder(path);
}
bool Veltora::FileExist(QVariant& DateiName) {
    Announce announce(*this);
    ByReference name(DateiName);
    return d_->control.FileExist(name);
}
void Veltora::DatumSetzen(QVariant& BildFile) {
    Announce announce(*this);
    ByReference file(BildFile);
    d_->control.DatumSetzen(file);
}
QVariant Veltora::PhotoPath(QVariant& PhotoNumber) {
    Announce announce(*this);
    ByReference number(PhotoNumber);
    return toQVariant(d_->control.PhotoPath(number));
}
QVariant Veltora::PhotoName(QVariant& PhotoNumber) {
    Announce announce(*this);
    ByReference number(PhotoNumber);
    return toQVariant(d_->control.PhotoName(number));
}
QVariant Veltora::PhotoCount() {
    Announce announce(*this);
    return toQVariant(d_->control.PhotoCount());
}
QVariant Veltora::FotoPrint() {
    Announce announce(*this);
    return toQVariant(d_->control.FotoPrint());
}
QVariant Veltora::TagExif(QVariant& TagKind, QVariant& BildNr) {
    Announce announce(*this);
    ByReference kind(TagKind), number(BildNr);
    return toQVariant(d_->control.TagExif(kind, number));
}

} // namespace pelmark
