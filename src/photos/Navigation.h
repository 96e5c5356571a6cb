#pragma once

#include "surface/Context.h"

namespace pelmark {

class PhotoLoader;

// The chain of change handlers that turns a photo number into the current photo: the spin control
// `UpDown1` and the field `ActPictNum` hold the number, the button `RandomChoose` draws one. Every way
// of choosing a photo (typing, stepping, the random button, a folder scan, `PhotoPath`, `TagExif` with a
// number) ends in the field's change handler, which loads the photo.
//
// The range rule: photo numbers run from 0 to the photo count, 0 standing for "no photo" (its empty
// list entry brings up the file dialog). A number above the count means the last photo; a number below
// 0 means 0. The field is corrected to the number actually used, so it never shows one the spin
// control cannot hold.
class Navigation {
public:
    Navigation(Context& context, PhotoLoader& loader);

    // Steps the spin control to `number` (rounded, a half to the even neighbour, then kept in range);
    // a change of its value loads that photo through the chain.
    void stepTo(double number);

    // The handlers of `UpDown1`'s and `ActPictNum`'s changes and of the random button.
    void spinChanged();
    void numberChanged();
    void randomClicked();

private:
    Context& context_;
    PhotoLoader& loader_;
};

} // namespace pelmark
