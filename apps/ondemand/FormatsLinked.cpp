// The format writers of a program that links their libraries.

#include "ondemand/FormatsModule.h"

namespace pelmark::ondemand {

const FormatWriters& formatWriters() {
    return kFormatWriters;
}

} // namespace pelmark::ondemand
