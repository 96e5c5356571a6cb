#pragma once

#include "base/Variant.h"

#include <QVariant>

namespace pelmark {

// The control's variants as Qt sees them: empty = an invalid QVariant, a number = double, a text =
// QString (one character per byte), a Boolean = bool, and the missing optional argument = a QVariant
// holding `MissingArgument`.
struct MissingArgument {
    bool operator==(const MissingArgument&) const { return true; }
};

QVariant toQVariant(const Variant& value);
// A QByteArray arrives as its raw bytes; other types that Qt can turn into a number or text arrive as
// that; anything else arrives empty.
Variant fromQVariant(const QVariant& value);

} // namespace pelmark

Q_DECLARE_METATYPE(pelmark::MissingArgument)
