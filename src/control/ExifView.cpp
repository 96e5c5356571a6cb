#include "control/ExifView.h"

#include <array>

namespace pelmark {

namespace {

// In `ExifField` order.
constexpr std::array<ElementId, kExifFieldCount> kElements{
    ElementId::DateOriginalTxt, ElementId::DateDigitizedTxt,
    ElementId::DatumZeit,       ElementId::Description,
    ElementId::Hersteller,      ElementId::Modell,
    ElementId::SoftWareVersion, ElementId::MakerNote,
    ElementId::UserComment,     ElementId::ExposureTimeTxt,
    ElementId::FNrTxt,          ElementId::ShutterSpeedTxt,
    ElementId::FlashValue,      ElementId::ExifVers,
    ElementId::SubExifPosTxt,   ElementId::GPSOffSetTxt,
    ElementId::GPSLat,          ElementId::GPSLon,
    ElementId::GPSAlt,          ElementId::ExposureProgram,
    ElementId::Flash,           ElementId::StrobeReturnLight,
};

} // namespace

ElementId elementOf(ExifField field) {
    return kElements[static_cast<std::size_t>(field)];
}

void ExifView::wire() {
    for (std::size_t k = 0; k < kExifFieldCount; ++k) {
        const auto field = static_cast<ExifField>(k);
        // The record starts as the fields do ("0" in `GPSAlt`), and follows every edit of them.
        take(field);
        surface_.on(kElements[k], Event::Change, [this, field](const EventArgs&) { take(field); });
    }
}

void ExifView::take(ExifField field) {
    const Element& element = surface_.get(elementOf(field));
    if (isText(field))
        record_.text(field) = element.text;
    else if (field == ExifField::ExposureProgram)
        record_.number(field) = element.text.empty() ? 0 : element.selected + 1;
    else
        record_.number(field) = element.value;
}

void ExifView::show(ExifField field) {
    const ElementId element = elementOf(field);
    if (isText(field))
        surface_.setText(element, record_.text(field));
    else if (field != ExifField::ExposureProgram)
        surface_.setValue(element, record_.number(field));
    else if (record_.exposureProgram == 0)
        surface_.setText(element, ""); // a cleared list shows no item's text
    else
        surface_.setSelected(element, record_.exposureProgram - 1);
}

ExifReading::ExifReading(Context& context)
    : counters(context.surface), view(context.surface, record),
      parser(context.file, record,
             ExifParserHooks{[&context] { return context.yieldAndTestStop(); },
                             [this](ExifField field) { view.show(field); }, &counters,
                             [&context] { return context.platform.decimalSeparator(); }}) {}

} // namespace pelmark
