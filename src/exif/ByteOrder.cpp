#include "exif/ByteOrder.h"

#include "base/Error.h"

#include <cmath>

namespace pelmark {

double decodeUnsigned(std::string_view bytes, ByteOrder order) {
    double sum = 0;
    double weight = 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::size_t at = order == ByteOrder::Intel ? i : bytes.size() - 1 - i;
        auto code = static_cast<unsigned char>(bytes[at]);
        // Zero bytes add nothing, however far out they stand; only a value that no double holds fails.
        if (code != 0) {
            sum += code * weight;
            if (!std::isfinite(sum))
                throw PelmarkError(ErrorKind::Overflow, "Overflow: the byte string is too long for a number");
        }
        weight *= 256;
    }
    return sum;
}

ByteOrder byteOrderOf(const Variant& mark) {
    if (mark.isMissing()) return ByteOrder::Intel;
    if (mark.isText() && mark.asText() == "II") return ByteOrder::Intel;
    if (mark.isText() && mark.asText() == "MM") return ByteOrder::Motorola;
    throw PelmarkError(ErrorKind::InvalidArgument, "Invalid procedure call or argument: byte order mark");
}

Variant Wert(std::string_view binar, const Variant& mark) {
    return Variant(decodeUnsigned(binar, byteOrderOf(mark)));
}

} // namespace pelmark
