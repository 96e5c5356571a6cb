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

// Each method of the list: the caller's variables for the length of the call, the core's member, the
// result as a QVariant, and the properties announced when they changed.
#define PELMARK_QT_TYPE_Variant QVariant
#define PELMARK_QT_TYPE_bool bool
#define PELMARK_QT_TYPE_void void
#define PELMARK_QT_RESULT_Variant(call) toQVariant(call)
#define PELMARK_QT_RESULT_bool(call) call
#define PELMARK_QT_RESULT_void(call) call
#define PELMARK_QT_PARAMETER_Ref(name) QVariant& name
#define PELMARK_QT_PARAMETER_Opt(name) QVariant& name
#define PELMARK_QT_PARAMETER_Enum(name) QVariant& name
#define PELMARK_QT_PARAMETER_Dbl(name) double name
#define PELMARK_QT_TAKE_Ref(name) ByReference name##Taken(name);
#define PELMARK_QT_TAKE_Opt(name) ByReference name##Taken(name);
#define PELMARK_QT_TAKE_Enum(name) ByReference name##Taken(name);
#define PELMARK_QT_TAKE_Dbl(name)
#define PELMARK_QT_ARGUMENT_Ref(name) name##Taken
#define PELMARK_QT_ARGUMENT_Opt(name) name##Taken
#define PELMARK_QT_ARGUMENT_Enum(name) name##Taken
#define PELMARK_QT_ARGUMENT_Dbl(name) name
#define PELMARK_QT_DEFINE0(slot, name, kind, id, result)                                                     \
    PELMARK_QT_TYPE_##result Veltora::name() {                                                               \
        Announce announce(*this);                                                                            \
        return PELMARK_QT_RESULT_##result(d_->control.name());                                               \
    }
#define PELMARK_QT_DEFINE1(slot, name, kind, id, result, p1, n1)                                             \
    PELMARK_QT_TYPE_##result Veltora::name(PELMARK_QT_PARAMETER_##p1(n1)) {                                  \
        Announce announce(*this);                                                                            \
        PELMARK_QT_TAKE_##p1(n1) return PELMARK_QT_RESULT_##result(                                          \
            d_->control.name(PELMARK_QT_ARGUMENT_##p1(n1)));                                                 \
    }
#define PELMARK_QT_DEFINE2(slot, name, kind, id, result, p1, n1, p2, n2)                                     \
    PELMARK_QT_TYPE_##result Veltora::name(PELMARK_QT_PARAMETER_##p1(n1), PELMARK_QT_PARAMETER_##p2(n2)) {   \
        Announce announce(*this);                                                                            \
        PELMARK_QT_TAKE_##p1(n1) PELMARK_QT_TAKE_##p2(n2) return PELMARK_QT_RESULT_##result(                 \
            d_->control.name(PELMARK_QT_ARGUMENT_##p1(n1), PELMARK_QT_ARGUMENT_##p2(n2)));                   \
    }
PELMARK_METHODS(PELMARK_QT_DEFINE0, PELMARK_QT_DEFINE1, PELMARK_QT_DEFINE2)

} // namespace pelmark
