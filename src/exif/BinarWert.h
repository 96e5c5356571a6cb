#pragma once

#include "base/Variant.h"

namespace pelmark {

// `BinarWert`: the `length` least significant bytes of `number` (rounded to a whole number, a half to
// the even neighbour), most significant first. The number is written in hexadecimal behind five zero
// digits and taken apart two digits at a time, so asking for more bytes than that text holds is an
// invalid argument. A length below 1 gives an empty result. Numbers from -2^31 to 2^32 - 1 are
// accepted, negative ones as their 32-bit two's complement; others are an overflow (PelmarkError).
Variant BinarWert(double number, double length);

} // namespace pelmark
