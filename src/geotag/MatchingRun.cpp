#include "geotag/MatchingRun.h"

#include "base/Error.h"
#include "base/NumberText.h"
#include "exif/TagEnum.h"
#include "geotag/TrackIndex.h"
#include "photos/PhotoQueries.h"

#include <cmath>

namespace pelmark {

namespace {

// The navigation group that a run switches on, as a folder of photos is then loaded.
constexpr ElementId kNavigation[] = {ElementId::Controller, ElementId::ActPictNum, ElementId::PictureCount,
                                     ElementId::BildLabel,  ElementId::UpDown1,    ElementId::RandomChoose};

// Two raw bytes, unsigned little-endian, as the altitude box shows them.
double altitudeValue(std::string_view raw) {
    double value = 0;
    for (std::size_t i = std::min<std::size_t>(raw.size(), 2); i-- > 0;)
        value = value * 256 + static_cast<unsigned char>(raw[i]);
    return value;
}

} // namespace

void MatchingRun::wire() {
    context_.surface.on(ElementId::CombineCmd, Event::Click,
                        [this](const EventArgs&) { combineTrackPhotos(Variant::missing()); });
}

void MatchingRun::enableNavigation() {
    for (ElementId id : kNavigation)
        context_.surface.setEnabled(id, true);
}

void MatchingRun::combineTrackPhotos(const Variant& start, Slots slots) {
    // A handler that runs while the run yields may not reload the photo list or the track under it.
    Jobs::Scope job(context_.jobs, Job::MatchingRun);
    job.throwIfRefused();
    Surface& surface = context_.surface;
    const char separator = context_.platform.decimalSeparator();

    Variant folder(surface.text(ElementId::PathTxt));
    photos_.bildInBox(folder);
    enableNavigation();
    if (context_.stop.requested()) return;
    if (photoCount() == 0) return;

    const double first = start.isMissing() ? 0 : std::floor(numberOf(start, separator));
    // The points are indexed once per run: a track load while the run holds the list is refused.
    const Variant& anzahl = tracks_.Anzahl();
    const double count = anzahl.isEmpty() ? 0 : std::floor(numberOf(anzahl, separator));
    const TrackIndex index(tracks_.track(), count < 1 ? 0 : static_cast<long long>(count));

    for (double i = std::max(0.0, first) + 1;
         i <= photoCount() && WayPoints::holds(static_cast<long long>(i)); ++i) {
        const int number = static_cast<int>(i);
        double& matchSeconds = matchSeconds_[static_cast<std::size_t>(number)];
        WayPoint& slot = wayPoints_.slot(number);
        const bool keep = slots == Slots::KeepNearer && !slot.position1.empty();
        if (!keep) clearTrackFields(slot);
        // The photo on display before this step may be one whose load a Stop cut short: asking for its
        // number again loads nothing, and its fields would read as a photo without a time. It is read anew.
        const bool wasCurrent = surface.value(ElementId::UpDown1) == number;
        slot.photoName = textOf(photoName(context_, Variant(i)), separator);
        slot.photoPath = textOf(photoPath(context_, Variant(i)), separator);
        if (wasCurrent && !photos_.list().path(number).empty()) {
            try {
                photos_.loadPictures(Variant(photos_.list().path(number)));
            } catch (const PelmarkError&) {
                // Gone since the folder was listed: it stays without a match, as a photo without a time does.
            }
        }

        const std::string taken =
            textOf(tags_.tagExif(Variant(double(TagEnum::DatumOriginal)), Variant(i)), separator);
        // Offset and direction are read per photo: the user may change them while the run yields.
        const TrackIndex::Match match = index.nearest(taken, offset_.shiftSeconds(), offset_.cameraAhead(),
                                                      keep ? matchSeconds : kMatchLimitSeconds);
        if (match.point != 0) {
            copyTrackFields(tracks_.track().slot(match.point), slot);
            matchSeconds = match.seconds;
            surface.setText(ElementId::GPSAlt, decimalText(altitudeValue(slot.altitude), separator));
        }
        if (context_.yieldAndTestStop()) return;
    }
}

double MatchingRun::photoCount() const {
    return numberOf(photos_.photoCount(), context_.platform.decimalSeparator());
}

int MatchingRun::referencePhoto() const {
    return firstMatched(wayPoints_, photoCount());
}

} // namespace pelmark
