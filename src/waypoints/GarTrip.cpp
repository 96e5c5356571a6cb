#include "waypoints/GarTrip.h"

#include "base/Error.h"
#include "base/NumberText.h"

namespace pelmark {

void openGarTrip(Platform& platform, const Variant& garTripPath, const Variant& fileName) {
    const char separator = platform.decimalSeparator();
    const std::string program = textOf(garTripPath, separator);
    try {
        platform.startProcess(program + " " + textOf(fileName, separator));
    } catch (const PelmarkError&) {
        // The user can only fix this by changing the program's path, so that is what the message names.
        throw PelmarkError(ErrorKind::ProcessStart, "GARtrip konnte nicht gestartet werden: " + program);
    }
}

} // namespace pelmark
