#include "exif/ExifParser.h"

#include "base/Error.h"
#include "base/NumberText.h"

#include <algorithm>
#include <cmath>

namespace pelmark {

namespace {

const std::string kStartOfImageAndApp1("\xFF\xD8\xFF\xE1", 4);
// Inside the TIFF structure, behind the byte-order mark and the first directory's offset.
constexpr std::uint64_t kEntryCountAt = 8;
constexpr std::uint64_t kFirstEntryAt = 10;
const std::string kMotorolaNote = "Motorola-Format wird leider noch nicht unterst\xFCtzt";

// The size of one value of a TIFF field type; 0 for a type TIFF does not define, whose values are then
// taken from the value field.
std::uint64_t typeSize(std::uint16_t fieldType) {
    switch (fieldType) {
    case 1: // BYTE
    case 2: // ASCII
    case 6: // SBYTE
    case 7: // UNDEFINED
        return 1;
    case 3: // SHORT
    case 8: // SSHORT
        return 2;
    case 4:  // LONG
    case 9:  // SLONG
    case 11: // FLOAT
        return 4;
    case 5:  // RATIONAL
    case 10: // SRATIONAL
    case 12: // DOUBLE
        return 8;
    default:
        return 0;
    }
}

// True for a file too short for the header whose bytes are still the header's start: a photo cut off,
// not a file of another kind. The APP1 length and the bytes after "Exif" may be anything.
bool startsHeader(std::string_view bytes) {
    if (bytes.empty()) return false;
    const std::string_view expected("\xFF\xD8\xFF\xE1??Exif", 10);
    for (std::size_t i = 0; i < bytes.size() && i < expected.size(); ++i)
        if (expected[i] != '?' && bytes[i] != expected[i]) return false;
    return true;
}

ExifParser::ValueUse valueUseOf(TagEffect effect) {
    using Use = ExifParser::ValueUse;
    switch (effect) {
    case TagEffect::Text:
    case TagEffect::AppendSubSecond:
        return Use::UpToZero;
    case TagEffect::ExposureTime:
    case TagEffect::FNumber:
    case TagEffect::ExposureProgram:
    case TagEffect::ShutterSpeed:
        return Use::FirstByte;
    case TagEffect::ExifVersion:
        return Use::LeadingDigits;
    default:
        return Use::None;
    }
}

bool endsValue(ExifParser::ValueUse use, char c) {
    if (use == ExifParser::ValueUse::LeadingDigits) return c < '0' || c > '9';
    return c == '\0';
}

std::string_view beforeFirstZero(std::string_view bytes) {
    return bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
}

// The code of the first value byte, which several tags show; a failure of the entry when there is none.
int firstByte(const std::string& data) {
    if (data.empty()) throw PelmarkError(ErrorKind::TypeMismatch, "no value bytes");
    return static_cast<unsigned char>(data[0]);
}

double leadingDigits(std::string_view bytes) {
    double number = 0;
    for (char c : bytes) {
        if (c < '0' || c > '9') break;
        number = number * 10 + (c - '0');
    }
    return number;
}

} // namespace

ExifParser::ExifParser(FileSlot& file, ExifRecord& record, ExifParserHooks hooks)
    : file_(file), record_(record), hooks_(std::move(hooks)) {}

void ExifParser::set(ExifField field, std::string text) {
    record_.text(field) = std::move(text);
    if (hooks_.shown) hooks_.shown(field);
}

void ExifParser::clear(ExifField field) {
    record_.clear(field);
    if (hooks_.shown) hooks_.shown(field);
}

void ExifParser::set(ExifField field, int number) {
    record_.number(field) = number;
    if (hooks_.shown) hooks_.shown(field);
}

ExifParser::Outcome ExifParser::readOpenPhoto() {
    const int run = ++runs_;
    FileSlot& file = file_;
    path_ = file.path();
    const auto readError = [&] {
        return PelmarkError(ErrorKind::FileRead, "Input past end of file: " + path_);
    };

    TiffReader whole(file, ByteOrder::Intel);
    if (!whole.holds(0, kTiffStart)) {
        auto bytes = whole.bytes(0, whole.length());
        if (!bytes || startsHeader(*bytes)) throw readError();
        return Outcome::NoExif;
    }
    auto header = whole.bytes(0, kTiffStart);
    if (!header) throw readError();
    if (header->compare(0, 4, kStartOfImageAndApp1) != 0 || header->compare(6, 4, "Exif") != 0)
        return Outcome::NoExif;

    // Any mark but "MM" is read as Intel order, which is how the parser compares tags anyway.
    auto mark = whole.bytes(kTiffStart, 2);
    if (!mark) throw readError();
    photoByteOrder_ = *mark == "MM" ? ByteOrder::Motorola : ByteOrder::Intel;
    TiffReader tiff = whole.sub(kTiffStart, whole.length() - kTiffStart, photoByteOrder_);
    auto count = tiff.u16(kEntryCountAt);
    if (!count) throw readError();

    // A Motorola photo's entries cannot match the Intel-order tag bytes, so none are taken: the first
    // pass walks nothing, exactly as it did before big-endian decoding existed.
    const std::uint64_t entries = photoByteOrder_ == ByteOrder::Motorola ? 0 : *count;
    if (!tiff.holds(kFirstEntryAt, kEntryBytes * entries)) throw readError();

    // Entries beyond the table's capacity are neither read nor walked.
    auto taken = std::min<std::uint64_t>(entries, ExifEntries::kCapacity);
    auto directory = tiff.bytes(kFirstEntryAt, kEntryBytes * taken);
    if (!directory) throw readError();
    for (std::uint64_t k = 0; k < taken; ++k)
        entries_.store(static_cast<int>(k + 1),
                       entryFromBytes(std::string_view(*directory).substr(kEntryBytes * k, kEntryBytes),
                                      photoByteOrder_));
    mainEntryCount_ = static_cast<int>(taken);
    subEntryCount_ = 0;
    subDirectoryOffset_ = 0;

    walkingRun_ = run;
    parseExif(Pass::Main, run, tiff);
    if (photoByteOrder_ == ByteOrder::Motorola && stillCurrent(run) && hooks_.counters)
        hooks_.counters->note(StatusCounters::kNote, kMotorolaNote);
    if (walkingRun_ == run) walkingRun_ = 0;
    return runs_ == run ? Outcome::Parsed : Outcome::Superseded;
}

bool ExifParser::stillCurrent(int run) const {
    return runs_ == run && file_.isOpen() && file_.path() == path_;
}

void ExifParser::parseExif(Pass pass, int run, TiffReader& tiff) {
    const bool main = pass == Pass::Main;
    // The counters are seen at each yield and once the pass ends, however it ends.
    struct FlushAtEnd {
        StatusCounters* counters;
        ~FlushAtEnd() {
            if (counters) counters->flush();
        }
    } flushAtEnd{hooks_.counters};
    StatusCounters* panels = hooks_.counters;
    record_.count(ExifCount::Entries) = mainEntryCount_ + subEntryCount_;
    if (main) record_.count(ExifCount::Recognised) = 0;
    if (panels) {
        panels->reset(StatusCounters::kEntries);
        if (main) panels->reset(StatusCounters::kRecognised);
        panels->set(StatusCounters::kEntries, mainEntryCount_ + subEntryCount_);
    }

    const std::span<const TagRow> table =
        main ? std::span<const TagRow>(kMainDirectoryTags) : std::span<const TagRow>(kSubDirectoryTags);
    const int first = main ? 1 : mainEntryCount_ + 1;
    const int last = main ? mainEntryCount_ : mainEntryCount_ + subEntryCount_;
    for (int position = first; position <= last; ++position) {
        ExifEntry entry = entries_.at(position);
        if (auto row = findTag(table, entry.Tag)) {
            count(ExifCount::Recognised, StatusCounters::kRecognised, 1);
            if (!main) count(ExifCount::SubRecognised, StatusCounters::kSubRecognised, 1);
            // Only what the row shows is read: its count may claim gigabytes.
            entry.Data = valueBytes(entry, valueUseOf(row->effect), tiff);
            try {
                decode(*row, entry, pass);
            } catch (const PelmarkError&) {
                // A value the row cannot use leaves its fields as they are.
            }
        } else if (panels) {
            // The panels count every entry and take it back when unknown: what someone else wrote
            // on them in between is read back first.
            panels->add(StatusCounters::kRecognised, 1);
            panels->add(StatusCounters::kRecognised, -1);
            if (!main) panels->add(StatusCounters::kSubRecognised, 1);
            if (!main) panels->add(StatusCounters::kSubRecognised, -1);
        }
        if (panels) panels->flush();
        if ((hooks_.yieldAndTestStop && hooks_.yieldAndTestStop()) || !stillCurrent(run)) return;
    }
    if (main && subDirectoryOffset_ != 0) readSubDirectory(subDirectoryOffset_, run, tiff);
}

std::string ExifParser::valueBytes(const ExifEntry& entry, ValueUse use, TiffReader& tiff) {
    if (use == ValueUse::None) return {};
    const std::uint64_t total = std::uint64_t{entry.ValueCount} * typeSize(entry.FieldType);
    if (total <= 4) return entry.valueFieldBytes.substr(0, entry.ValueCount);
    // One byte per value whatever the type's size: that is what the fields were built to show. A value
    // that runs past the end of the file shows as nothing.
    if (!tiff.holds(entry.ValueField, entry.ValueCount)) return {};
    const std::uint64_t wanted =
        use == ValueUse::FirstByte ? 1 : std::min<std::uint64_t>(entry.ValueCount, kValueReadLimit);
    // Texts end at their first zero and digits at the first other byte, usually within a few bytes:
    // small chunks first, so a huge count costs no more than the text it really holds.
    std::string data;
    std::uint64_t chunk = 64;
    while (data.size() < wanted) {
        auto part =
            tiff.bytes(entry.ValueField + data.size(), std::min<std::uint64_t>(chunk, wanted - data.size()));
        if (!part) return {};
        data += *part;
        if (std::any_of(part->begin(), part->end(), [use](char c) { return endsValue(use, c); })) break;
        chunk = std::min<std::uint64_t>(chunk * 4, 4096);
    }
    return data;
}

void ExifParser::count(ExifCount which, int panel, long long delta) {
    record_.count(which) += delta;
    if (hooks_.counters) hooks_.counters->add(panel, static_cast<int>(delta));
}

void ExifParser::decode(const TagRow& row, const ExifEntry& entry, Pass pass) {
    if (!row.field) return; // recognised, nothing shown
    const ExifField field = *row.field;
    const char separator = hooks_.separator ? hooks_.separator() : '.';
    switch (row.effect) {
    case TagEffect::Nothing:
        break;
    case TagEffect::Text:
        set(field, std::string(beforeFirstZero(entry.Data)));
        break;
    case TagEffect::AppendSubSecond:
        set(field, record_.text(field) + "." + std::string(beforeFirstZero(entry.Data)));
        break;
    case TagEffect::SubDirectoryOffset:
        if (pass == Pass::Main) subDirectoryOffset_ = entry.ValueField;
        set(field, hexText(static_cast<std::uint64_t>(entry.ValueField)));
        break;
    case TagEffect::Offset:
        set(field, hexText(static_cast<std::uint64_t>(entry.ValueField)));
        break;
    case TagEffect::ExposureTime:
        set(field, "1 /" + counterText(10LL * firstByte(entry.Data)));
        break;
    case TagEffect::FNumber:
        set(field, decimalText(firstByte(entry.Data) / 10.0, separator));
        break;
    case TagEffect::ExposureProgram: {
        // A number the list has no item for selects nothing.
        const int item = firstByte(entry.Data);
        if (item >= 1 && item <= kExposureProgramItems) set(field, item);
        break;
    }
    case TagEffect::ShutterSpeed:
        set(field, decimalText(std::pow(2.0, firstByte(entry.Data)), separator));
        break;
    case TagEffect::Flash:
        set(field, decimalText(entry.ValueField, separator));
        if (entry.ValueField > 0) set(ExifField::Flash, 1);
        if (entry.ValueField == 7) set(ExifField::StrobeReturnLight, 1);
        break;
    case TagEffect::ExifVersion:
        set(field, decimalText(leadingDigits(entry.Data) / 100, separator));
        break;
    }
}

void ExifParser::readSubDirectory(std::uint32_t offset, int run, TiffReader& tiff) {
    // The sub-directory's own entry count is skipped: the walk ends at a zero tag or the limit.
    const std::uint64_t start = std::uint64_t{offset} + 2;
    int taken = -1;
    while (true) {
        ++taken;
        int position = mainEntryCount_ + taken + 1;
        if (position > ExifEntries::kCapacity) break; // the table is full: the walk ends with what it has
        if (!stillCurrent(run)) return;
        auto bytes = tiff.bytes(start + kEntryBytes * static_cast<std::uint64_t>(taken), kEntryBytes);
        if (!bytes) return; // the sub-directory work ends silently; the first pass's fields stay
        ExifEntry entry = entryFromBytes(*bytes, photoByteOrder_);
        bool zeroTag = entry.Tag == std::string(2, '\0');
        entries_.store(position, std::move(entry));
        if (taken >= kSubDirectoryLimit || zeroTag) break;
    }
    subEntryCount_ = taken;
    parseExif(Pass::Sub, run, tiff);
}

} // namespace pelmark
