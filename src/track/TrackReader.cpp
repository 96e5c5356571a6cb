#include "track/TrackReader.h"

#include "base/NumberText.h"
#include "track/TrackFile.h"
#include "track/TrackTime.h"

namespace pelmark {

std::string TrackReader::readTrackFile(const Variant& path, SCommonDialog mode) {
    // A handler that runs while another job yields may ask for a load; the slot and the lists belong
    // to that job, so the load is refused, as a second load is. A photo load that yields holds the
    // slot with its half-read photo: taking the slot would cut it short.
    Jobs::Scope job(context_.jobs, Job::TrackLoad);
    if (job.refused() || context_.file.isOpen()) return kError;

    if (!choosePath(path, mode)) return kError;
    const std::string filePath = context_.surface.text(ElementId::PathTxt);
    if (!hasTrackExtension(filePath)) return kError;

    FileSlot& file = context_.file;
    if (!file.openForReading(filePath)) return kError;
    Surface& surface = context_.surface;
    // Read into a table of its own: a load that does not complete leaves the loaded track whole.
    TrackLog incoming;
    const TrackReadHooks hooks{
        [&](const std::string& title) { surface.setText(ElementId::TitelTxt, title); },
        [&](std::uint32_t time) { surface.setText(ElementId::DateFrom, trackTimeText(time)); },
        [this] { return context_.yieldAndTestStop(); },
    };
    const TrackReadEnd end = readTrackLog(file, filePath, incoming, hooks);
    // After a Stop the button has closed the file already; after a lost slot it holds another's file.
    if (end != TrackReadEnd::SlotLost && file.path() == filePath) file.close();
    if (end != TrackReadEnd::Complete) return kError;

    const long long count = incoming.count;
    // Slots above the new track's last point stay as an earlier load left them: every use is bounded
    // by `Anzahl`.
    for (long long i = 1; i <= count; ++i)
        track_.slot(i) = std::move(incoming.points.slot(i));
    anzahl_ = Variant(static_cast<double>(incoming.matchedCount()));
    showCount(count);
    if (count == 0) {
        // No point at all: there is no time to show, and a first time left from an earlier track would
        // claim points that this one does not have.
        surface.setText(ElementId::DateFrom, "");
        surface.setText(ElementId::DateTo, "");
    } else {
        // The last point read takes part in nothing, so the end shown is the one before it; with a
        // single point that is the never-filled slot 0, whose time counts as 0.
        const TrackPoint& last = track_.slot(count - 1);
        surface.setText(ElementId::DateTo, trackTimeText(last.time.value_or(0)));
    }
    return kNoError;
}

bool TrackReader::choosePath(const Variant& path, SCommonDialog mode) {
    Surface& surface = context_.surface;
    if (!path.isMissing())
        surface.setText(ElementId::PathTxt, textOf(path, context_.platform.decimalSeparator()));
    if (!surface.text(ElementId::PathTxt).empty()) return true;
    if (mode == SCommonDialog::NoCommonDialog) return false;

    CommonDialog& dialog = context_.dialog;
    dialog.fileName = surface.text(ElementId::PathTxt);
    dialog.filter = kFilter;
    if (!dialog.showOpen()) return false;
    surface.setText(ElementId::PathTxt, dialog.fileName);
    return !surface.text(ElementId::PathTxt).empty();
}

void TrackReader::showCount(long long count) {
    Surface& surface = context_.surface;
    const Element& bar = surface.get(ElementId::StatusBar2);
    const std::string tag = bar.panels.empty() ? std::string() : bar.panels.front().tag;
    surface.setPanelText(ElementId::StatusBar2, 1, tag + std::to_string(count));
}

} // namespace pelmark
