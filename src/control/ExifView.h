#pragma once

#include "exif/ExifParser.h"
#include "exif/StatusCounters.h"
#include "records/ExifRecord.h"
#include "surface/Context.h"

namespace pelmark {

// The EXIF record of the current photo as the control shows it: each field of the record has one
// element, written when the field changes. A user who edits one of those elements changes the record
// too, so what the tag query answers is what the user sees.
class ExifView {
public:
    ExifView(Surface& surface, ExifRecord& record) : surface_(surface), record_(record) {}

    // Registers the elements' change events; the elements must exist by then.
    void wire();
    void show(ExifField field);

private:
    void take(ExifField field);

    Surface& surface_;
    ExifRecord& record_;
};

// The element that shows a field.
ElementId elementOf(ExifField field);

// Everything that reads a photo's EXIF data into a control: the record, the status panels that count
// along, the view and the parser that fills the record from the file slot. `view.wire()` once the
// elements exist.
struct ExifReading {
    explicit ExifReading(Context& context);

    ExifRecord record;
    StatusCounters counters;
    ExifView view;
    ExifParser parser;
};

} // namespace pelmark
