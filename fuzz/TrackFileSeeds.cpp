// Writes the seed corpus of the track-file fuzzer into the folder given as the only argument.
#include "SeedFolder.h"
#include "fixtures/TrackFileWriter.h"

#include <string>

using pelmark::fixtures::TrackFilePoint;
using pelmark::fixtures::TrackFileWriter;

int main(int argc, char** argv) {
    TrackFilePoint named;
    named.time = 424512031;
    named.byteValue = 7;
    named.text = "Gipfelkreuz";
    named.altitude = 2962;

    TrackFileWriter three;
    three.title("Rundweg").points(3, 424512031, 60);
    TrackFileWriter withText;
    withText.title("Mit Text").point(named).points(2, 424512100, 5);
    TrackFileWriter otherMarker;
    otherMarker.title("Ende").points(2, 0, 1).tail("W rest of a file");
    TrackFileWriter longTitle;
    longTitle.title(std::string(300, 'x')).points(1, 86400, 1);

    const pelmark::fuzz::Seeds seeds = {
        {"three-points.t", three.bytes()},
        {"point-with-text.t", withText.bytes()},
        {"other-marker.t", otherMarker.bytes()},
        {"long-title.t", longTitle.bytes()},
        {"title-only.t", TrackFileWriter().title("Leer").bytes()},
        {"cut-in-a-point.t", three.bytesCutAt(three.pointOffset(2) + 7)},
    };
    return pelmark::fuzz::writeSeeds(argc, argv, seeds);
}
