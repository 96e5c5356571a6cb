#pragma once

#include "base/Variant.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelmark {

// The leading number of a text: leading blanks skipped, an optional sign, digits with a point as the
// decimal separator and an optional exponent; reading stops at the first character that cannot
// continue the number. A text without a leading number reads as 0.
double leadingNumber(std::string_view text);

// The number a text stands for as a whole (blanks around it allowed, `decimalSeparator` as the
// separator), or nothing when it is not a number.
std::optional<double> wholeTextNumber(std::string_view text, char decimalSeparator);

// A decimal number as the user reads it: up to 15 significant digits, the user's separator, no
// trailing zeros, no separator for whole numbers ("2,8", "3", "128").
std::string decimalText(double value, char decimalSeparator);

// A counter: decimal digits, with a leading blank for values of 0 or more (" 14", "-3").
std::string counterText(long long value);
// The same, appended to `text`.
void appendCounterText(std::string& text, long long value);

// Upper-case hexadecimal without prefix or leading zeros ("10A", "8", "0").
std::string hexText(std::uint64_t value);

// To the nearest whole number, a half to the even neighbour.
double roundHalfEven(double value);

// A variant read as a number: empty is 0, a Boolean true is -1, a text must be a number as a whole.
// Anything else is a type mismatch (PelmarkError).
double numberOf(const Variant& value, char decimalSeparator);

// A variant read as text: empty is "", numbers in `decimalText` form, Booleans "True"/"False".
std::string textOf(const Variant& value, char decimalSeparator);

} // namespace pelmark
