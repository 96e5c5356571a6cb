// `pelmark`'s format writers, loaded from pelmark-formats.so the first time a run asks for them.

#include "base/Error.h"
#include "ondemand/FormatsModule.h"
#include "ondemand/ModuleEntry.h"

namespace pelmark::ondemand {

const FormatWriters& formatWriters() {
    static std::string failure;
    static const FormatWriters* const writers = [] {
        void* entry = moduleEntry("pelmark-formats.so", PELMARK_FORMATS_MODULE_FROM_PROGRAM,
                                  kFormatsEntryName, failure);
        return entry ? reinterpret_cast<FormatsEntry>(entry)() : nullptr;
    }();
    if (writers == nullptr)
        throw PelmarkError(ErrorKind::FileWrite, "GPX and XMP output are not available: " + failure);
    return *writers;
}

} // namespace pelmark::ondemand
