#include "waypoints/WayPointWriter.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "waypoints/NewFile.h"
#include "waypoints/WayPointFile.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace pelmark {

namespace {

std::string systemReason() {
    return errno != 0 ? std::strerror(errno) : "Schreibfehler";
}

[[noreturn]] void failWriting(FileSlot& file, const NewFile& created, const std::string& target,
                              const std::string& reason) {
    if (file.path() == created.label()) file.close();
    throw PelmarkError(ErrorKind::FileWrite,
                       "Die Wegpunktdatei " + target + " konnte nicht geschrieben werden: " + reason);
}

} // namespace

bool WayPointWriter::garTripPressed() const {
    for (const ToolButton& button : context_.surface.get(ElementId::Toolbar2).buttons)
        if (button.key == kGarTripKey) return button.pressed;
    return false;
}

void WayPointWriter::printWayPointList() {
    // Writing while another job yields would write the slots that job is still filling.
    Jobs::Scope job(context_.jobs, Job::WayPointWriter);
    job.throwIfRefused();
    // A Stop earlier in a one-step run ends the chain before anything is written.
    if (context_.stop.requested()) return;
    Surface& surface = context_.surface;
    const std::string trackPath = surface.text(ElementId::PathTxt);
    // The records are made before the first yield: a run started meanwhile cannot mix two tables.
    const std::vector<std::string> parts = wayPointFileParts(run_.wayPoints(), run_.photoCount());
    if (parts.empty()) return;
    const auto target = wayPointFileName(trackPath);
    if (!target)
        throw PelmarkError(ErrorKind::FileWrite, "Keine Trackdatei, neben die die Wegpunktdatei kommt");

    FileSlot& file = context_.file;
    // The slot belongs to whoever yields with it open; their file stays theirs.
    if (file.isOpen()) throw PelmarkError(ErrorKind::Busy, "Another operation is using the file");
    NewFile created(*target);
    errno = 0;
    const int fd = created.create();
    if (fd < 0) failWriting(file, created, *target, systemReason());
    file.adoptForWriting(fd, created.label());
    bool stopped = false;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (!file.write(parts[k])) failWriting(file, created, *target, systemReason());
        if (k == 0) continue; // the header and the reference record go out before the first yield
        if (context_.yieldAndTestStop()) {
            stopped = true;
            break;
        }
        // Only the Stop button closes the slot; anyone else who took it has cut our file short.
        if (file.path() != created.label())
            failWriting(file, created, *target, "die Datei wurde von einem anderen Vorgang geschlossen");
    }
    // After a Stop the button has closed the slot's handle with the last whole record; our own handle
    // still holds the file.
    if (file.path() == created.label()) file.close();
    errno = 0;
    if (!created.publish()) failWriting(file, created, *target, systemReason());
    if (stopped || !garTripPressed()) return;
    startGarTrip_(*target);
    startGarTrip_(trackPath);
}

void showWayPointError(Context& context, const PelmarkError& error) {
    context.platform.messageBox(error.what(), MessageButtons::Ok,
                                error.kind() == ErrorKind::ProcessStart ? "Veltora - GarTrip"
                                                                        : "Veltora - Wegpunktdatei");
}

} // namespace pelmark
