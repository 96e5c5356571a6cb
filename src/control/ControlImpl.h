#pragma once

#include "base/FileSlot.h"
#include "base/StopRequest.h"
#include "control/ExifView.h"
#include "control/GarTripSetting.h"
#include "control/VeltoraControl.h"
#include "control/Wiring.h"
#include "exif/ExifParser.h"
#include "exif/TagQuery.h"
#include "geotag/ClockOffset.h"
#include "geotag/MatchingRun.h"
#include "geotag/OneStepRuns.h"
#include "photos/DropIntake.h"
#include "photos/FileDates.h"
#include "photos/Navigation.h"
#include "photos/PhotoLoader.h"
#include "platform/CommonDialog.h"
#include "surface/Context.h"
#include "surface/Surface.h"
#include "track/TrackReader.h"
#include "waypoints/GarTrip.h"
#include "waypoints/WayPointWriter.h"

namespace pelmark {

// The state of one control: the shared context and the subsystems, wired by the constructor.
struct VeltoraControl::Impl {
    explicit Impl(Platform& platform);
    void pressStop();

    Platform& platform;
    StopRequest stop;
    FileSlot file;
    Surface surface{stop};
    CommonDialog dialog{platform};
    Jobs jobs;
    Context context{platform, surface, stop, file, dialog, jobs};

    Variant anzahl;
    GarTripPath garTripPath{platform};

    TrackReader trackReader{context, anzahl};
    ClockOffset clockOffset{context};
    ExifReading exif{context};
    PhotoLoader photoLoader{context, exif.parser};
    Navigation navigation{context, photoLoader};
    TagQuery tagQuery{context, exif.record, [this](double number) { navigation.stepTo(number); }};
    FileDates fileDates{context, photoLoader, tagQuery};
    DropIntake dropIntake{context, fileDates, photoLoader};
    MatchingRun matchingRun{context, photoLoader, trackReader, clockOffset, tagQuery};
    WayPointWriter wayPointWriter{context, matchingRun, [this](const std::string& wayPointFile) {
                                      openGarTrip(platform, garTripPath.get(), wayPointFile);
                                  }};
    OneStepRuns oneStepRuns{context, trackReader, photoLoader, matchingRun,
                            [this] { wayPointWriter.printWayPointList(); }};
    ControlParts parts{context,      &exif.view,   &photoLoader,           &navigation,
                       &dropIntake,  &trackReader, &matchingRun,           &wayPointWriter,
                       &oneStepRuns, &garTripPath, [this] { pressStop(); }};
};

} // namespace pelmark
