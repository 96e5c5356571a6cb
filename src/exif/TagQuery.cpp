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
    ExifField field;
    int whenEmpty;
};

// The kinds in `TagEnum` order, with the field each answers from.
constexpr std::array<KindRow, 14> kKinds{{
    {TagEnum::DatumOriginal, ExifField::DateOriginal, static_cast<int>(TagEnum::DatumDigitized)},
    {TagEnum::DatumDigitized, ExifField::DateDigitized, static_cast<int>(TagEnum::DatumModified)},
    {TagEnum::DatumModified, ExifField::DateModified, kNoFallback},
    {TagEnum::ExposureTime, ExifField::ExposureTime, kNoFallback},
    {TagEnum::FNumber, ExifField::FNumber, kNoFallback},
    {TagEnum::GPSLatitude, ExifField::GpsLatitude, kNoFallback},
    {TagEnum::GPSLongitude, ExifField::GpsLongitude, kNoFallback},
    {TagEnum::GPSAltitude, ExifField::GpsAltitude, kNoFallback},
    {TagEnum::Maker, ExifField::Maker, kNoFallback},
    {TagEnum::Camera, ExifField::Model, kNoFallback},
    {TagEnum::Comment, ExifField::UserComment, kNoFallback},
    {TagEnum::ImageDescription, ExifField::Description, kNoFallback},
    {TagEnum::Maker_Note, ExifField::MakerNote, kNoFallback},
    {TagEnum::CamFirmware, ExifField::Firmware, kNoFallback},
}};

constexpr bool kindsInEnumOrder() {
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (static_cast<std::size_t>(kKinds[i].kind) != i) return false;
    return true;
}
static_assert(kindsInEnumOrder(), "the table is indexed by the kind's number");

} // namespace

TagQuery::TagQuery(Context& context, const ExifRecord& record, SelectPhoto selectPhoto)
    : context_(context), record_(record), selectPhoto_(std::move(selectPhoto)) {}

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
    return tagAnswer(record_, kind);
}

std::string tagAnswer(const ExifRecord& record, double kind) {
    double whole = roundHalfEven(kind);
    // Written so that NaN fails the test too.
    if (!(whole >= 0 && whole < static_cast<double>(kKinds.size()))) return {};
    // The date fallbacks only ever step forward, so this walks at most three rows.
    for (auto row = static_cast<std::size_t>(whole);;) {
        const std::string& text = record.text(kKinds[row].field);
        if (!text.empty() || kKinds[row].whenEmpty == kNoFallback) return text;
        row = static_cast<std::size_t>(kKinds[row].whenEmpty);
    }
}

} // namespace pelmark
