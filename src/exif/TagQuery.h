#pragma once

#include "base/Variant.h"
#include "exif/TagEnum.h"
#include "records/ExifRecord.h"
#include "surface/Context.h"

#include <functional>
#include <string>

namespace pelmark {

// `TagExif`: one EXIF value of the current photo, or of any photo number, read from its EXIF record
// (which the user may have edited through the fields that show it).
class TagQuery {
public:
    // Makes the photo with a given number current, the same way stepping the spin control does.
    using SelectPhoto = std::function<void(double number)>;

    TagQuery(Context& context, const ExifRecord& record, SelectPhoto selectPhoto);

    // `kind` is read as a `TagEnum` number; `photoNumber` may be missing (the current photo). A value
    // that is no number fails with a type mismatch before any photo is loaded.
    Variant tagExif(const Variant& kind, const Variant& photoNumber);

    // The answer for one kind from the fields as they stand; the empty text for a kind outside 0..13.
    std::string answer(double kind) const;

private:
    Context& context_;
    const ExifRecord& record_;
    SelectPhoto selectPhoto_;
};

// What `TagExif` answers for `kind` from a photo's record: the kind's field, a date falling back to the
// next date when empty; the empty text for a kind outside 0..13.
std::string tagAnswer(const ExifRecord& record, double kind);

} // namespace pelmark
