#include "photos/Navigation.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "photos/PhotoLoader.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace pelmark {

namespace {

struct SpinRange {
    int low;
    int high;
};

// The element model keeps a spin value within [min, max], a maximum below the minimum counting as the
// minimum; the navigation works with the same bounds so that what it sets is what the spin holds.
SpinRange rangeOf(const Element& spin) {
    return {spin.min, std::max(spin.min, spin.max)};
}

} // namespace

Navigation::Navigation(Context& context, PhotoLoader& loader) : context_(context), loader_(loader) {}

void Navigation::stepTo(double number) {
    double whole = roundHalfEven(number);
    if (std::isnan(whole)) throw PelmarkError(ErrorKind::InvalidArgument, "not a photo number");
    // The element model keeps the spin in its range; here the number only has to reach an int
    // without overflowing, which any int bound does as well as the range's.
    whole = std::clamp(whole, static_cast<double>(std::numeric_limits<int>::min()),
                       static_cast<double>(std::numeric_limits<int>::max()));
    context_.surface.setValue(ElementId::UpDown1, static_cast<int>(whole));
}

void Navigation::spinChanged() {
    context_.surface.setText(ElementId::ActPictNum,
                             std::to_string(context_.surface.value(ElementId::UpDown1)));
}

void Navigation::numberChanged() {
    Surface& surface = context_.surface;
    double typed = leadingNumber(surface.text(ElementId::ActPictNum));
    SpinRange range = rangeOf(surface.get(ElementId::UpDown1));

    // Whenever this handler changes the field (a number outside the range replaced by the bound it
    // passed, or a fraction by its whole number), the field's change runs this handler again, and that
    // run loads the photo. Loading it here as well would only repeat the same work, or, for photo 0,
    // bring up the file dialog a second time.
    const std::string typedText = surface.text(ElementId::ActPictNum);
    auto fieldWasRewritten = [&] { return surface.text(ElementId::ActPictNum) != typedText; };

    double whole = roundHalfEven(typed);
    if (typed > range.high || whole < range.low) {
        int bound = typed > range.high ? range.high : range.low;
        surface.setText(ElementId::ActPictNum, std::to_string(bound));
        if (fieldWasRewritten()) return;
        whole = bound;
    }
    // Unchanged, this fires nothing; changed, the spin's handler writes the whole number back ("2.5"
    // becomes "2").
    surface.setValue(ElementId::UpDown1, static_cast<int>(whole));
    if (fieldWasRewritten()) return;

    int number = surface.value(ElementId::UpDown1);
    // An empty entry (photo 0, or any number before a folder was opened) makes the loader ask for a file.
    loader_.loadPictures(Variant(loader_.list().path(number)));
}

void Navigation::randomClicked() {
    Platform& platform = context_.platform;
    platform.seedRandomFromClock();
    double r = platform.nextRandom();
    int count = context_.surface.get(ElementId::UpDown1).max;
    double drawn = std::floor(r * count) + 1;
    // A generator straying outside [0, 1) still yields a number between 1 and the count; with no photo
    // listed the number is 1, which the field's handler turns into 0 and so into the file dialog.
    double highest = std::max(count, 1);
    if (!(drawn >= 1)) drawn = 1;
    if (drawn > highest) drawn = highest;
    context_.surface.setText(ElementId::ActPictNum, std::to_string(static_cast<int>(drawn)));
}

} // namespace pelmark
