#include "control/Wiring.h"

#include "base/Error.h"
#include "control/ExifView.h"
#include "control/FrameActions.h"
#include "control/GarTripSetting.h"
#include "control/Toolbars.h"
#include "geotag/MatchingRun.h"
#include "geotag/OneStepRuns.h"
#include "photos/DropIntake.h"
#include "photos/Navigation.h"
#include "photos/PhotoLoader.h"
#include "track/TrackReader.h"
#include "waypoints/WayPointWriter.h"

#include <array>

namespace pelmark {

namespace {

// How a handler's failure reaches the user. Another job that is still going always reaches them:
// they can wait for it or stop it.
enum class Failures {
    PassOn,      // to whoever raised the event: the window shows it in a box, the console answers it
    Silent,      // the user started it through a dialog: a failure ends it without a word
    WayPointBox, // a box titled for the waypoint file or the GARtrip start
};

// The parts a handler needs; the row is left out where one is missing.
enum Part : unsigned {
    None = 0,
    Exif = 1u << 0,
    Photos = 1u << 1,
    Navigate = 1u << 2,
    Drop = 1u << 3,
    Tracks = 1u << 4,
    Run = 1u << 5,
    Writer = 1u << 6,
    OneStep = 1u << 7,
    GarTrip = 1u << 8,
    Stop = 1u << 9,
};

struct Wire {
    ElementId element;
    Event event;
    unsigned needs;
    Failures failures;
    void (*handle)(ControlParts&, const EventArgs&);
};

using P = ControlParts;
using A = EventArgs;

constexpr Wire kWiring[] = {
    // Photos and the photo number.
    {ElementId::PictureLoadBtn, Event::Click, Photos, Failures::Silent,
     [](P& p, const A&) {
         Variant path("");
         p.photos->bildInBox(path);
     }},
    {ElementId::UpDown1, Event::Change, Navigate, Failures::PassOn,
     [](P& p, const A&) { p.navigation->spinChanged(); }},
    {ElementId::ActPictNum, Event::Change, Navigate, Failures::PassOn,
     [](P& p, const A&) { p.navigation->numberChanged(); }},
    {ElementId::RandomChoose, Event::Click, Navigate, Failures::PassOn,
     [](P& p, const A&) { p.navigation->randomClicked(); }},
    {ElementId::Bild, Event::Drop, Drop, Failures::PassOn,
     [](P& p, const A& args) { p.drop->drop(args.files); }},
    {ElementId::Toolbar1, Event::ToolClick, Photos, Failures::PassOn,
     [](P& p, const A& args) { toolbar1Clicked(p.context, *p.photos, args.key); }},
    // Fields whose change shows elsewhere.
    {ElementId::FilePath, Event::Change, None, Failures::PassOn,
     [](P& p, const A&) {
         Surface& surface = p.context.surface;
         surface.setToolTip(ElementId::FilePath, "Bild: " + surface.text(ElementId::FilePath));
     }},
    // Only the enabled state follows: the tick the parser or the user gave stays.
    {ElementId::Flash, Event::Change, None, Failures::PassOn,
     [](P& p, const A&) {
         Surface& surface = p.context.surface;
         surface.setEnabled(ElementId::StrobeReturnLight, surface.value(ElementId::Flash) == 1);
     }},
    // The track, the matching and the waypoint file.
    {ElementId::LoadTrack, Event::Click, Tracks, Failures::PassOn,
     [](P& p, const A&) { p.tracks->readTrackFile(Variant::missing(), SCommonDialog::CommonDialog); }},
    {ElementId::CombineCmd, Event::Click, Run, Failures::PassOn,
     [](P& p, const A&) { p.run->combineTrackPhotos(Variant::missing()); }},
    {ElementId::Compile, Event::Click, Writer, Failures::WayPointBox,
     [](P& p, const A&) { p.writer->printWayPointList(); }},
    {ElementId::RunAllBtn, Event::Click, OneStep, Failures::WayPointBox,
     [](P& p, const A&) { p.oneStep->runAll(SCommonDialog::CommonDialog); }},
    {ElementId::StopBtn, Event::Click, Stop, Failures::PassOn, [](P& p, const A&) { p.pressStop(); }},
    // The GARtrip toolbar and its hint.
    {ElementId::Toolbar2, Event::ToolClick, GarTrip, Failures::PassOn,
     [](P& p, const A& args) { toolbar2Clicked(p.context, *p.garTripPath, args.key); }},
    {ElementId::Toolbar2, Event::MouseMove, None, Failures::PassOn,
     [](P& p, const A&) { showGarTripHint(p.context.surface); }},
    {ElementId::GarTripToolTipTextTimer, Event::Timer, None, Failures::PassOn,
     [](P& p, const A&) { hideGarTripHint(p.context.surface); }},
    // The layout.
    {ElementId::ShowHide, Event::Click, None, Failures::PassOn,
     [](P& p, const A&) { toggleWaypointFrame(p.context.surface); }},
    {ElementId::Veltora, Event::Resize, None, Failures::PassOn,
     [](P& p, const A&) { keepFixedSize(p.context.surface); }},
};

unsigned partsOf(const ControlParts& p) {
    unsigned have = None;
    const std::pair<bool, Part> parts[] = {
        {p.exif != nullptr, Exif},           {p.photos != nullptr, Photos},
        {p.navigation != nullptr, Navigate}, {p.drop != nullptr, Drop},
        {p.tracks != nullptr, Tracks},       {p.run != nullptr, Run},
        {p.writer != nullptr, Writer},       {p.oneStep != nullptr, OneStep},
        {p.garTripPath != nullptr, GarTrip}, {static_cast<bool>(p.pressStop), Stop},
    };
    for (const auto& [present, part] : parts)
        if (present) have |= part;
    return have;
}

void handle(ControlParts& parts, const Wire& wire, const EventArgs& args) {
    try {
        wire.handle(parts, args);
    } catch (const PelmarkError& error) {
        if (wire.failures == Failures::PassOn || error.kind() == ErrorKind::Busy) throw;
        if (wire.failures == Failures::WayPointBox) showWayPointError(parts.context, error);
    }
}

} // namespace

void wireControl(ControlParts& parts) {
    Surface& surface = parts.context.surface;
    // The EXIF record follows every edit of the fields that show it.
    if (ExifView* view = parts.exif) {
        for (std::size_t k = 0; k < kExifFieldCount; ++k) {
            const auto field = static_cast<ExifField>(k);
            view->take(field);
            surface.on(elementOf(field), Event::Change,
                       [view, field](const EventArgs&) { view->take(field); });
        }
    }
    const unsigned have = partsOf(parts);
    for (const Wire& wire : kWiring) {
        if ((wire.needs & have) != wire.needs) continue;
        surface.on(wire.element, wire.event,
                   [&parts, &wire](const EventArgs& args) { handle(parts, wire, args); });
    }
}

} // namespace pelmark
