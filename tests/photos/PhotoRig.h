#pragma once

#include "exif/ExifParser.h"
#include "photos/PhotoLoader.h"
#include "support/ContextRig.h"

namespace pelmark::test {

// The loader on a started surface, without the rest of the control, so a test can look into the file
// slot: a load must leave it closed whatever the file held.
struct PhotoRig : ContextRig {
    PhotoRig() { loader.wire(); }

    ExifParser parser{context};
    PhotoLoader loader{context, parser};
};

} // namespace pelmark::test
