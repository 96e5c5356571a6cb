#pragma once

#include "base/Error.h"
#include "control/ExifView.h"
#include "photos/PhotoLoader.h"
#include "support/ContextRig.h"

#include <optional>

namespace pelmark::test {

// The loader on a started surface, without the rest of the control, so a test can look into the file
// slot: a load must leave it closed whatever the file held.
struct PhotoRig : ContextRig {
    PhotoRig() {
        exif.view.wire();
        loader.wire();
    }

    ExifReading exif{context};
    PhotoLoader loader{context, exif.parser};
};

// The kind of error `call` fails with, or nothing when it does not fail.
template <class Call>
std::optional<ErrorKind> failureOf(Call call) {
    try {
        call();
    } catch (const PelmarkError& error) {
        return error.kind();
    }
    return std::nullopt;
}

} // namespace pelmark::test
