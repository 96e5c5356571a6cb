// Writes the seed corpus of the GPX fuzzer into the folder given as the only argument.
#include "SeedFolder.h"
#include "fixtures/GpxWriter.h"

using pelmark::fixtures::GpxPoint;
using pelmark::fixtures::GpxWriter;

int main(int argc, char** argv) {
    const std::string two =
        GpxWriter().segment().points(3, 1055566800).segment().points(2, 1055570000).text();
    const pelmark::fuzz::Seeds seeds = {
        {"two-segments.gpx", two},
        {"version-1.0-prefixed.gpx", GpxWriter().version10().prefix("g").segment().points(2, 0).text()},
        {"skipped-points.gpx", GpxWriter()
                                   .segment()
                                   .point({48, 11, "2003-02-30T05:00:00Z", 1.5})
                                   .point({std::nullopt, 11, "2003-06-14T05:00:00+02:00", std::nullopt})
                                   .point({48, 11, "", std::nullopt})
                                   .text()},
        {"entities.gpx", GpxWriter().prolog("<!DOCTYPE gpx [<!ENTITY a \"b\">]>").raw("&a;").text()},
        {"cut-off.gpx", two.substr(0, two.size() / 2)},
    };
    return pelmark::fuzz::writeSeeds(argc, argv, seeds);
}
