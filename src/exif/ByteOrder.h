#pragma once

#include "base/Variant.h"

#include <string_view>

namespace pelmark {

// The byte order of a photo's TIFF structure, from its mark "II" (Intel) or "MM" (Motorola).
enum class ByteOrder { Intel, Motorola };

// The unsigned number that `bytes` encode in `order`. Exact up to 2^53; a non-zero byte beyond the
// range of a double is an overflow (PelmarkError).
double decodeUnsigned(std::string_view bytes, ByteOrder order);

// The order a mark stands for: a missing mark is "II"; "II" and "MM" are compared exactly, letter case
// included; anything else is an invalid argument (PelmarkError).
ByteOrder byteOrderOf(const Variant& mark);

// `Wert`: the unsigned value of the byte string `binar` in the order of `mark`, as a number.
Variant Wert(std::string_view binar, const Variant& mark);

} // namespace pelmark
