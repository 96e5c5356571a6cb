#include "exif/TagQuery.h"

#include "base/NumberText.h"

#include <array>
#include <string_view>

namespace pelmark {

namespace {

// A date kind whose field is empty answers with the next kind instead.
constexpr int kNoFallback = -1;

struct KindRow {
    TagEnum kind;
    ElementId field;
    int whenEmpty;
};

// The kinds in `TagEnum` order, with the field each answers from.
constexpr std::array<KindRow, 14> kKinds{{
    {TagEnum::DatumOriginal, ElementId::DateOriginalTxt, static_cast<int>(TagEnum::DatumDigitized)},
    {TagEnum::DatumDigitized, ElementId::DateDigitizedTxt, static_cast<int>(TagEnum::DatumModified)},
    {TagEnum::DatumModified, ElementId::DatumZeit, kNoFallback},
    {TagEnum::ExposureTime, ElementId::ExposureTimeTxt, kNoFallback},
    {TagEnum::FNumber, ElementId::FNrTxt, kNoFallback},
    {TagEnum::GPSLatitude, ElementId::GPSLat, kNoFallback},
    {TagEnum::GPSLongitude, ElementId::GPSLon, kNoFallback},
    {TagEnum::GPSAltitude, ElementId::GPSAlt, kNoFallback},
    {TagEnum::Maker, ElementId::Hersteller, kNoFallback},
    {TagEnum::Camera, ElementId::Modell, kNoFallback},
    {TagEnum::Comment, ElementId::UserComment, kNoFallback},
    {TagEnum::ImageDescription, ElementId::Description, kNoFallback},
    {TagEnum::Maker_Note, ElementId::MakerNote, kNoFallback},
    {TagEnum::CamFirmware, ElementId::SoftWareVersion, kNoFallback},
}};

constexpr bool kindsInEnumOrder() {
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (static_cast<std::size_t>(kKinds[i].kind) != i) return false;
    return true;
}
static_assert(kindsInEnumOrder(), "the table is indexed by the kind's number");

} // namespace

TagQuery::TagQuery(Context& context, SelectPhoto selectPhoto)
    : context_(context), selectPhoto_(std::move(selectPhoto)) {}

Variant TagQuery::tagExif(const Variant& kind, const Variant& photoNumber) {
    char separator = context_.platform.decimalSeparator();
    // Both arguments are read before anything moves, so a bad one leaves the current photo alone.
    double kindNumber = numberOf(kind, separator);
    if (!photoNumber.isMissing()) {
        double number = numberOf(photoNumber, separator);
        selectPhoto_(number);
        context_.yield();
    }
    return Variant(answer(kindNumber));
}

std::string TagQuery::answer(double kind) const {
    double whole = roundHalfEven(kind);
    // Written so that NaN fails the test too.
    if (!(whole >= 0 && whole < static_cast<double>(kKinds.size()))) return {};
    // The date fallbacks only ever step forward, so this walks at most three rows.
    for (auto row = static_cast<std::size_t>(whole);;) {
        const std::string& text = context_.surface.text(kKinds[row].field);
        if (!text.empty() || kKinds[row].whenEmpty == kNoFallback) return text;
        row = static_cast<std::size_t>(kKinds[row].whenEmpty);
    }
}

} // namespace pelmark
