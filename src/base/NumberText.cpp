#include "base/NumberText.h"

#include "base/Error.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace pelmark {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of `text` that forms a number, or 0.
std::size_t numberPrefix(std::string_view text, char separator) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == separator) {
        std::size_t afterPoint = i + 1;
        std::size_t fraction = 0;
        while (afterPoint < text.size() && isDigit(text[afterPoint]))
            ++afterPoint, ++fraction;
        if (digits + fraction > 0) {
            i = afterPoint;
            digits += fraction;
        }
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < text.size() && isDigit(text[j]))
            ++j, ++expDigits;
        if (expDigits > 0) i = j;
    }
    return i;
}

double parsePrefix(std::string_view number, char separator) {
    std::string plain(number);
    if (separator != '.')
        for (char& c : plain)
            if (c == separator) c = '.';
    if (!plain.empty() && plain.front() == '+') plain.erase(0, 1);
    double value = 0;
    auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec == std::errc::result_out_of_range) return plain.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    return ec == std::errc() ? value : 0.0;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

double leadingNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    std::size_t length = numberPrefix(text, '.');
    return length == 0 ? 0.0 : parsePrefix(text.substr(0, length), '.');
}

std::optional<double> wholeTextNumber(std::string_view text, char decimalSeparator) {
    text = trimBlanks(text);
    std::size_t length = numberPrefix(text, decimalSeparator);
    if (length == 0 || length != text.size()) return std::nullopt;
    return parsePrefix(text, decimalSeparator);
}

std::string decimalText(double value, char decimalSeparator) {
    if (value == 0) return "0";
    // As printf's "%.15g" writes it, without printf's cost.
    char buffer[64];
    std::string text(
        buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr);
    auto exponent = text.find('e');
    std::string mantissa = text.substr(0, exponent);
    std::string tail = exponent == std::string::npos ? "" : text.substr(exponent);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    for (char& c : mantissa)
        if (c == '.') c = decimalSeparator;
    if (!tail.empty()) {
        // "e+20" -> "E+20", as the number is shown to the user
        tail[0] = 'E';
    }
    return mantissa + tail;
}

void appendCounterText(std::string& text, long long value) {
    if (value >= 0) text += ' ';
    char digits[24];
    text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

std::string counterText(long long value) {
    std::string text;
    appendCounterText(text, value);
    return text;
}

std::string hexText(std::uint64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
    return buffer;
}

double roundHalfEven(double value) {
    return std::nearbyint(value);
}

double numberOf(const Variant& value, char decimalSeparator) {
    switch (value.type()) {
    case Variant::Type::Empty:
        return 0;
    case Variant::Type::Number:
        return value.asNumber();
    case Variant::Type::Boolean:
        return value.asBoolean() ? -1 : 0;
    case Variant::Type::Text:
        if (auto number = wholeTextNumber(value.asText(), decimalSeparator)) return *number;
        throw PelmarkError(ErrorKind::TypeMismatch,
                           "Type mismatch: \"" + value.asText() + "\" is not a number");
    case Variant::Type::Missing:
        break;
    }
    throw PelmarkError(ErrorKind::TypeMismatch, "Type mismatch: a missing argument is not a number");
}

std::string textOf(const Variant& value, char decimalSeparator) {
    switch (value.type()) {
    case Variant::Type::Empty:
        return {};
    case Variant::Type::Number:
        return decimalText(value.asNumber(), decimalSeparator);
    case Variant::Type::Boolean:
        return value.asBoolean() ? "True" : "False";
    case Variant::Type::Text:
        return value.asText();
    case Variant::Type::Missing:
        break;
    }
    throw PelmarkError(ErrorKind::TypeMismatch, "Type mismatch: a missing argument is not a text");
}

} // namespace pelmark
