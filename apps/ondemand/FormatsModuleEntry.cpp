// pelmark-formats.so: the format writers and the libraries behind them, for `pelmark`.

#include "ondemand/FormatsModule.h"

extern "C" __attribute__((visibility("default"))) const pelmark::ondemand::FormatWriters* pelmark_formats() {
    // The entry must keep the type `pelmark` casts it to.
    [[maybe_unused]] constexpr pelmark::ondemand::FormatsEntry checked = &pelmark_formats;
    return &pelmark::ondemand::kFormatWriters;
}
