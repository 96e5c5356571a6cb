// Writes the GPX files of the GPX benchmarks and of bench/hostile-gpx.sh, streaming, so that a file of a
// gigabyte costs no gigabyte to write:
//   make-gpx points N PATH [FIRST_UTC [STEP]]  N points STEP seconds apart (default 1, from
//                                       2003-08-14T06:00:00Z)
//   make-gpx blanks BYTES PATH          two points with BYTES of blanks between them
//   make-gpx tag BYTES PATH             a start tag holding BYTES of blanks
//   make-gpx deep LEVELS PATH           elements nested LEVELS deep inside a segment
//   make-gpx laughs PATH                entities that would expand to a billion bytes
//   make-gpx cut PATH                   1000 points, the file cut off in the middle of one
#include "fixtures/GpxWriter.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr long long kAugust14At06 = 1060840800; // 2003-08-14T06:00:00Z: 08:00 on the camera's clock

const char* const kHead = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"pelmark bench\" "
                          "xmlns=\"http://www.topografix.com/GPX/1/1\">\n<trk><trkseg>\n";
const char* const kTail = "</trkseg></trk>\n</gpx>\n";

void points(std::FILE* out, long long count, long long first, long long step = 1) {
    std::string chunk;
    for (long long k = 0; k < count; ++k) {
        const auto at = static_cast<std::size_t>(k);
        char line[160];
        std::snprintf(
            line, sizeof line, "<trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>%lld</ele><time>%s</time></trkpt>\n",
            pelmark::fixtures::runLatitude(at % 1000000), pelmark::fixtures::runLongitude(at % 1000000),
            500 + k % 100, pelmark::fixtures::gpxTime(first + k * step).c_str());
        chunk += line;
        if (chunk.size() > (1 << 20)) std::fputs(chunk.c_str(), out), chunk.clear();
    }
    std::fputs(chunk.c_str(), out);
}

void repeat(std::FILE* out, const std::string& piece, long long times) {
    const std::string block = [&] {
        std::string b;
        for (int k = 0; k < 4096; ++k)
            b += piece;
        return b;
    }();
    for (; times >= 4096; times -= 4096)
        std::fwrite(block.data(), 1, block.size(), out);
    for (; times > 0; --times)
        std::fputs(piece.c_str(), out);
}

} // namespace

int main(int argc, char** argv) {
    const std::string kind = argc > 1 ? argv[1] : "";
    const bool counted = kind == "points" || kind == "blanks" || kind == "tag" || kind == "deep";
    if (argc < (counted ? 4 : 3)) {
        std::fprintf(stderr, "usage: make-gpx points|blanks|tag|deep COUNT PATH, or laughs|cut PATH\n");
        return 2;
    }
    const long long count = counted ? std::atoll(argv[2]) : 0;
    std::FILE* out = std::fopen(argv[counted ? 3 : 2], "wb");
    if (!out) return 1;
    if (kind == "laughs") {
        std::fputs("<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [\n <!ENTITY l0 \"laugh\">\n", out);
        for (int k = 1; k <= 9; ++k) {
            std::string ten;
            for (int r = 0; r < 10; ++r)
                ten += "&l" + std::to_string(k - 1) + ";";
            std::fprintf(out, " <!ENTITY l%d \"%s\">\n", k, ten.c_str());
        }
        std::fputs("]>\n<gpx version=\"1.1\"><trk><name>&l9;</name></trk></gpx>\n", out);
    } else {
        std::fputs(kHead, out);
        if (kind == "points")
            points(out, count, argc > 4 ? std::atoll(argv[4]) : kAugust14At06,
                   argc > 5 ? std::atoll(argv[5]) : 1);
        if (kind == "blanks")
            points(out, 1, kAugust14At06), repeat(out, " ", count), points(out, 1, kAugust14At06 + 1);
        if (kind == "tag") std::fputs("<trkpt", out), repeat(out, " ", count), std::fputs("/>", out);
        if (kind == "deep") repeat(out, "<x>", count), repeat(out, "</x>", count);
        if (kind == "cut") {
            points(out, 1000, kAugust14At06);
            std::fputs("<trkpt lat=\"48.1\" lon=\"11.", out);
        } else {
            std::fputs(kTail, out);
        }
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
