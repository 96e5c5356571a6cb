#pragma once

#include <cmath>

namespace pelmark {

// The control is laid out in twips: 1440 to the inch, so 15 to a pixel at 96 dpi.
constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultDpi = 96.0;

inline int twipsToPixels(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

inline int pixelsToTwips(int pixels, double dpi) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi));
}

} // namespace pelmark
