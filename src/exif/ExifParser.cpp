#include "exif/ExifParser.h"

#include "base/Error.h"
#include "base/NumberText.h"

#include <algorithm>
#include <cmath>

namespace pelmark {

namespace {

const std::string kStartOfImageAndApp1("\xFF\xD8\xFF\xE1", 4);
constexpr std::uint64_t kEntryCountAt = 20;
constexpr std::uint64_t kFirstEntryAt = 22;
const std::string kMotorolaNote = "Motorola-Format wird leider noch nicht unterst\xFCtzt";

// The size of one value of a TIFF field type; 0 for a type TIFF does not define, whose values are then
// taken from the value field.
std::uint64_t typeSize(double fieldType) {
    switch (static_cast<int>(fieldType)) {
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

ExifParser::ExifParser(Context& context) : context_(context), counters_(context.surface) {}

ExifParser::Outcome ExifParser::readOpenPhoto() {
    const int run = ++runs_;
    FileSlot& file = context_.file;
    path_ = file.path();

    std::string header;
    if (!file.readAt(0, kTiffStart, header))
        throw PelmarkError(ErrorKind::FileRead, "Input past end of file: " + path_);
    if (header.compare(0, 4, kStartOfImageAndApp1) != 0 || header.compare(6, 4, "Exif") != 0)
        return Outcome::NoExif;

    std::string mark, count;
    if (!file.readAt(kTiffStart, 2, mark) || !file.readAt(kEntryCountAt, 2, count))
        throw PelmarkError(ErrorKind::FileRead, "Input past end of file: " + path_);
    // Any mark but "MM" is read as Intel order, which is how the parser compares tags anyway.
    photoByteOrder_ = mark == "MM" ? ByteOrder::Motorola : ByteOrder::Intel;

    // A Motorola photo's entries cannot match the Intel-order tag bytes, so none are taken: the first
    // pass walks nothing, exactly as it did before big-endian decoding existed.
    double claimed = photoByteOrder_ == ByteOrder::Motorola ? 0 : decodeUnsigned(count, photoByteOrder_);
    auto entries = static_cast<std::uint64_t>(claimed);
    if (kFirstEntryAt + kEntryBytes * entries > file.size())
        throw PelmarkError(ErrorKind::FileRead, "Input past end of file: " + path_);

    // Entries beyond the table's capacity are neither read nor walked.
    auto taken = std::min<std::uint64_t>(entries, ExifEntries::kCapacity);
    std::string directory;
    if (!file.readAt(kFirstEntryAt, kEntryBytes * taken, directory))
        throw PelmarkError(ErrorKind::FileRead, "Input past end of file: " + path_);
    for (std::uint64_t k = 0; k < taken; ++k)
        entries_.store(static_cast<int>(k + 1),
                       entryFromBytes(std::string_view(directory).substr(kEntryBytes * k, kEntryBytes),
                                      photoByteOrder_));
    mainEntryCount_ = static_cast<int>(taken);
    subEntryCount_ = 0;
    subDirectoryOffset_ = 0;

    walkingRun_ = run;
    parseExif(0, run);
    if (photoByteOrder_ == ByteOrder::Motorola && stillCurrent(run))
        counters_.note(StatusCounters::kNote, kMotorolaNote);
    if (walkingRun_ == run) walkingRun_ = 0;
    return runs_ == run ? Outcome::Parsed : Outcome::Superseded;
}

bool ExifParser::stillCurrent(int run) const {
    return runs_ == run && context_.file.isOpen() && context_.file.path() == path_;
}

bool ExifParser::parseExif(int pass, int run) {
    counters_.reset(StatusCounters::kEntries);
    if (pass == 0) counters_.reset(StatusCounters::kRecognised);
    counters_.set(StatusCounters::kEntries, mainEntryCount_ + subEntryCount_);

    const std::span<const TagRow> table =
        pass == 0 ? std::span<const TagRow>(kMainDirectoryTags) : std::span<const TagRow>(kSubDirectoryTags);
    const int first = pass == 0 ? 1 : mainEntryCount_ + 1;
    const int last = pass == 0 ? mainEntryCount_ : mainEntryCount_ + subEntryCount_;
    for (int position = first; position <= last; ++position) {
        ExifEntry entry = entries_.at(position);
        counters_.add(StatusCounters::kRecognised, 1);
        if (pass == 2) counters_.add(StatusCounters::kSubRecognised, 1);
        if (auto row = findTag(table, entry.Tag)) {
            // Only a decoded entry's value is read: nothing else shows it.
            entry.Data = valueBytes(entry);
            try {
                decode(*row, entry, pass);
            } catch (const PelmarkError&) {
                // A value the row cannot use leaves its fields as they are.
            }
        } else {
            counters_.add(StatusCounters::kRecognised, -1);
            if (pass == 2) counters_.add(StatusCounters::kSubRecognised, -1);
        }
        if (context_.yieldAndTestStop() || !stillCurrent(run)) return false;
    }
    if (pass == 0 && subDirectoryOffset_ != 0) readSubDirectory(subDirectoryOffset_, run);
    return true;
}

std::string ExifParser::valueBytes(const ExifEntry& entry) const {
    double total = entry.ValueCount * static_cast<double>(typeSize(entry.FieldType));
    if (total <= 4) return entry.valueFieldBytes.substr(0, static_cast<std::size_t>(entry.ValueCount));
    // One byte per value whatever the type's size: that is what the fields were built to show.
    std::string data;
    context_.file.readAt(static_cast<std::uint64_t>(entry.ValueField) + kTiffStart,
                         static_cast<std::uint64_t>(entry.ValueCount), data);
    return data;
}

void ExifParser::decode(const TagRow& row, const ExifEntry& entry, int pass) {
    Surface& surface = context_.surface;
    const std::string field(row.field);
    const char separator = context_.platform.decimalSeparator();
    switch (row.effect) {
    case TagEffect::Nothing:
        break;
    case TagEffect::Text:
        surface.setText(field, std::string(beforeFirstZero(entry.Data)));
        break;
    case TagEffect::AppendSubSecond:
        surface.setText(field, surface.text(field) + "." + std::string(beforeFirstZero(entry.Data)));
        break;
    case TagEffect::SubDirectoryOffset:
        if (pass == 0) subDirectoryOffset_ = entry.ValueField;
        surface.setText(field, hexText(static_cast<std::uint64_t>(entry.ValueField)));
        break;
    case TagEffect::Offset:
        surface.setText(field, hexText(static_cast<std::uint64_t>(entry.ValueField)));
        break;
    case TagEffect::ExposureTime:
        surface.setText(field, "1 /" + counterText(10LL * firstByte(entry.Data)));
        break;
    case TagEffect::FNumber:
        surface.setText(field, decimalText(firstByte(entry.Data) / 10.0, separator));
        break;
    case TagEffect::ExposureProgram: {
        int item = firstByte(entry.Data);
        int items = static_cast<int>(surface.get(field).items.size());
        if (item >= 1 && item <= items) surface.setSelected(field, item - 1);
        break;
    }
    case TagEffect::ShutterSpeed:
        surface.setText(field, decimalText(std::pow(2.0, firstByte(entry.Data)), separator));
        break;
    case TagEffect::Flash:
        surface.setText(field, decimalText(entry.ValueField, separator));
        if (entry.ValueField > 0) surface.setValue("Flash", 1);
        if (entry.ValueField == 7) surface.setValue("StrobeReturnLight", 1);
        break;
    case TagEffect::ExifVersion:
        surface.setText(field, decimalText(leadingDigits(entry.Data) / 100, separator));
        break;
    }
}

void ExifParser::readSubDirectory(double offset, int run) {
    FileSlot& file = context_.file;
    // The sub-directory's own entry count is skipped: the walk ends at a zero tag or the limit.
    const std::uint64_t start = static_cast<std::uint64_t>(offset) + kTiffStart + 2;
    int taken = -1;
    while (true) {
        ++taken;
        int position = mainEntryCount_ + taken + 1;
        if (position > ExifEntries::kCapacity) break; // the table is full: the walk ends with what it has
        std::string bytes;
        if (!stillCurrent(run) ||
            !file.readAt(start + kEntryBytes * static_cast<std::uint64_t>(taken), kEntryBytes, bytes))
            return; // the sub-directory work ends silently; the first pass's fields stay
        ExifEntry entry = entryFromBytes(bytes, photoByteOrder_);
        bool zeroTag = entry.Tag == std::string(2, '\0');
        entries_.store(position, std::move(entry));
        if (taken >= kSubDirectoryLimit || zeroTag) break;
    }
    subEntryCount_ = taken;
    parseExif(2, run);
}

} // namespace pelmark
