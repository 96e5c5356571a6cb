#include "waypoints/WayPointWriter.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "waypoints/WayPointFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace pelmark {

namespace {

// Beside the final name, hidden so that no folder scan or track search lists it.
std::string partialName(const std::string& target) {
    const auto slash = target.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    return target.substr(0, nameStart) + "." + target.substr(nameStart) + ".part";
}

[[noreturn]] void failWriting(FileSlot& file, const std::string& partial, const std::string& target,
                              const std::string& reason) {
    if (file.path() == partial) file.close();
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    throw PelmarkError(ErrorKind::FileWrite,
                       "Die Wegpunktdatei " + target + " konnte nicht geschrieben werden: " + reason);
}

std::string systemReason() {
    return errno != 0 ? std::strerror(errno) : "Schreibfehler";
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
    const int reference = run_.referencePhoto();
    if (reference == 0) return;
    const auto target = wayPointFileName(trackPath);
    if (!target)
        throw PelmarkError(ErrorKind::FileWrite, "Keine Trackdatei, neben die die Wegpunktdatei kommt");

    // The records are made before the first yield: a run started meanwhile cannot mix two tables.
    const WayPoints& slots = run_.wayPoints();
    const double photos = run_.photoCount();
    std::vector<std::string> records;
    for (int i = 1; i <= photos && WayPoints::holds(i); ++i)
        if (slots.matched(i)) records.push_back(wayPointRecord(slots.slot(i)));

    FileSlot& file = context_.file;
    // The slot belongs to whoever yields with it open; their file stays theirs.
    if (file.isOpen()) throw PelmarkError(ErrorKind::Busy, "Another operation is using the file");
    const std::string partial = partialName(*target);
    errno = 0;
    if (!file.openForWriting(partial)) failWriting(file, partial, *target, systemReason());
    if (!file.write(headerAndReference(slots.slot(reference))))
        failWriting(file, partial, *target, systemReason());

    bool stopped = false;
    for (const std::string& record : records) {
        if (!file.write(record)) failWriting(file, partial, *target, systemReason());
        if (context_.yieldAndTestStop()) {
            stopped = true;
            break;
        }
        // Only the Stop button closes the slot; anyone else who took it has cut our file short.
        if (file.path() != partial)
            failWriting(file, partial, *target, "die Datei wurde von einem anderen Vorgang geschlossen");
    }
    // After a Stop the button has closed the file with its last whole record.
    if (file.path() == partial) {
        if (!file.flush()) failWriting(file, partial, *target, systemReason());
        file.close();
    }
    std::error_code error;
    std::filesystem::rename(partial, *target, error);
    if (error) failWriting(file, partial, *target, error.message());
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
