#include "exif/BinarWert.h"

#include "base/Error.h"
#include "base/NumberText.h"

#include <cmath>
#include <cstdint>

namespace pelmark {

Variant BinarWert(double number, double length) {
    if (!(length >= 1)) return Variant();
    double whole = roundHalfEven(number);
    if (!(whole >= -2147483648.0 && whole <= 4294967295.0))
        throw PelmarkError(ErrorKind::Overflow, "Overflow: BinarWert takes 32-bit numbers");
    auto bits = whole < 0 ? static_cast<std::uint32_t>(static_cast<std::int64_t>(whole) + 4294967296LL)
                          : static_cast<std::uint32_t>(whole);
    std::string digits = "00000" + hexText(bits);
    double available = std::floor(static_cast<double>(digits.size()) / 2);
    if (std::floor(length) > available)
        throw PelmarkError(ErrorKind::InvalidArgument,
                           "Invalid procedure call or argument: more bytes than the number holds");
    auto count = static_cast<std::size_t>(std::floor(length));
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t end = digits.size() - 2 * i;
        bytes[count - 1 - i] = static_cast<char>(std::stoi(digits.substr(end - 2, 2), nullptr, 16));
    }
    return Variant(std::move(bytes));
}

} // namespace pelmark
