#include "console/ByteJson.h"

#include "base/Error.h"
#include "base/Latin1.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace pelmark::console {

namespace {

constexpr int kMaxDepth = 32;

// The parser hands strings over in UTF-8; the console's strings hold one byte per character.
std::string bytesOfUtf8(const std::string& utf8) {
    auto bytes = exactLatin1FromUtf8(utf8);
    if (!bytes) throw PelmarkError(ErrorKind::InvalidArgument, "a string holds a character above U+00FF");
    return *bytes;
}

void toBytes(Json& value) {
    if (value.is_string()) {
        value = bytesOfUtf8(value.get_ref<const std::string&>());
    } else if (value.is_structured()) {
        for (auto& item : value)
            toBytes(item);
    }
}

void writeString(const std::string& bytes, std::string& out) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        switch (byte) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += "\\u00";
                out.push_back(kHex[byte >> 4]);
                out.push_back(kHex[byte & 0x0F]);
            } else if (byte >= 0x80) {
                out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
                out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
            } else {
                out.push_back(c);
            }
        }
    }
    out.push_back('"');
}

void writeNumber(double number, std::string& out) {
    if (!std::isfinite(number)) {
        out += "null";
        return;
    }
    if (number == 0) number = 0; // no "-0"
    char buffer[64];
    // The shortest form that reads back as the same double: 10 stays "10", 0.1 stays "0.1"; a whole
    // number is written out in digits (100000000, not 1e+08) up to where digits stop being exact.
    bool whole = number == std::floor(number) && std::abs(number) < 1e21;
    auto [end, error] = whole
                            ? std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed)
                            : std::to_chars(buffer, buffer + sizeof buffer, number);
    out.append(buffer, end);
}

void write(const Json& value, std::string& out) {
    switch (value.type()) {
    case Json::value_t::null:
    case Json::value_t::discarded:
        out += "null";
        break;
    case Json::value_t::boolean:
        out += value.get<bool>() ? "true" : "false";
        break;
    case Json::value_t::number_integer:
        out += std::to_string(value.get<std::int64_t>());
        break;
    case Json::value_t::number_unsigned:
        out += std::to_string(value.get<std::uint64_t>());
        break;
    case Json::value_t::number_float:
        writeNumber(value.get<double>(), out);
        break;
    case Json::value_t::string:
        writeString(value.get_ref<const std::string&>(), out);
        break;
    case Json::value_t::binary:
        out += "null";
        break;
    case Json::value_t::array: {
        out.push_back('[');
        bool first = true;
        for (const auto& item : value) {
            if (!first) out += ", ";
            first = false;
            write(item, out);
        }
        out.push_back(']');
        break;
    }
    case Json::value_t::object: {
        out.push_back('{');
        bool first = true;
        for (const auto& [key, item] : value.items()) {
            if (!first) out += ", ";
            first = false;
            writeString(key, out);
            out += ": ";
            write(item, out);
        }
        out.push_back('}');
        break;
    }
    }
}

// A plain whole number ("12", "-3"), as the parser reads it (unsigned when not negative), without
// starting the parser: most arguments are such numbers.
std::optional<Json> plainWholeNumber(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 18 || (digits.front() == '0' && digits.size() > 1))
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (negative) return Json(-static_cast<std::int64_t>(value));
    return Json(value);
}

} // namespace

Json parseByteJson(std::string_view text) {
    if (auto number = plainWholeNumber(text)) return *number;
    // No argument nests deeply; a hostile line must not run the stack out on the way to being refused.
    auto shallow = [](int depth, Json::parse_event_t, Json&) {
        if (depth > kMaxDepth) throw PelmarkError(ErrorKind::InvalidArgument, "a value nests too deeply");
        return true;
    };
    Json value = Json::parse(text.begin(), text.end(), shallow, false);
    if (value.is_discarded())
        throw PelmarkError(ErrorKind::InvalidArgument, "not a JSON value: " + std::string(text));
    toBytes(value);
    return value;
}

std::string writeByteJson(const Json& value) {
    std::string out;
    write(value, out);
    return out;
}

Json jsonOf(const Variant& value) {
    switch (value.type()) {
    case Variant::Type::Number:
        return value.asNumber();
    case Variant::Type::Text:
        return value.asText();
    case Variant::Type::Boolean:
        return value.asBoolean();
    case Variant::Type::Empty:
    case Variant::Type::Missing:
        break;
    }
    return nullptr;
}

Variant variantOf(const Json& value) {
    if (value.is_null()) return {};
    if (value.is_boolean()) return value.get<bool>();
    if (value.is_number()) return value.get<double>();
    if (value.is_string()) return value.get<std::string>();
    throw PelmarkError(ErrorKind::InvalidArgument, "an argument is a number, a string, true, false or null");
}

} // namespace pelmark::console
