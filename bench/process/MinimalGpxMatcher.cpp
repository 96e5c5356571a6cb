// The lower bound `pelmark geotag` is held against on GPX tracks: a plain program that reads the
// capture times of the photos of the folders given and the point times of a GPX track (with the same
// XML library, and nothing else of the file), and matches each photo to the nearest point by binary
// search (within two minutes; the camera's clock read as GPS time plus two hours, as the control does).
// It prints a line per photo, so that the work cannot be skipped.
//   minimal-gpx-matcher TRACK.gpx FOLDER...
#include "MinimalRead.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <expat.h>

namespace {

// Seconds since 1970 of "YYYY-MM-DDTHH:MM:SSZ" or "YYYY:MM:DD HH:MM:SS".
bool secondsOf(const char* text, long long& seconds) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (std::sscanf(text, "%4d%*c%2d%*c%2d%*c%2d:%2d:%2d", &y, &mo, &d, &h, &mi, &s) != 6) return false;
    using namespace std::chrono;
    const sys_days day{year{y} / month{static_cast<unsigned>(mo)} /
                       std::chrono::day{static_cast<unsigned>(d)}};
    seconds = day.time_since_epoch().count() * 86400LL + h * 3600 + mi * 60 + s;
    return true;
}

struct Reading {
    std::vector<long long> times;
    std::string text;
    bool inTime = false;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: minimal-gpx-matcher TRACK FOLDER...\n");
        return 2;
    }
    Reading reading;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &reading);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char**) {
            auto& r = *static_cast<Reading*>(data);
            r.inTime = std::strcmp(name, "time") == 0;
            r.text.clear();
        },
        [](void* data, const XML_Char*) {
            auto& r = *static_cast<Reading*>(data);
            long long t = 0;
            if (r.inTime && secondsOf(r.text.c_str(), t)) r.times.push_back(t);
            r.inTime = false;
        });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* s, int length) {
        auto& r = *static_cast<Reading*>(data);
        if (r.inTime) r.text.append(s, static_cast<std::size_t>(length));
    });
    std::FILE* in = std::fopen(argv[1], "rb");
    if (!in) return 2;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in);
        if (XML_Parse(parser, buffer.data(), static_cast<int>(got), got == 0) != XML_STATUS_OK) return 2;
        if (got == 0) break;
    }
    std::fclose(in);
    XML_ParserFree(parser);
    std::vector<long long>& times = reading.times;
    std::sort(times.begin(), times.end());

    int matched = 0;
    for (int f = 2; f < argc; ++f) {
        const std::string folder = argv[f];
        for (const std::string& name : minimal::photoNames(folder)) {
            long long taken = 0, point = -1;
            if (secondsOf(minimal::captureTime(folder + "/" + name).c_str(), taken)) {
                const long long at = taken - 7200;
                const auto next = std::lower_bound(times.begin(), times.end(), at);
                long long best = 120;
                for (auto it : {next, next == times.begin() ? next : next - 1})
                    if (it != times.end() && std::llabs(*it - at) < best)
                        best = std::llabs(*it - at), point = it - times.begin();
            }
            matched += point >= 0;
            std::printf("%s %lld\n", name.c_str(), point);
        }
    }
    std::printf("%d matched\n", matched);
    return matched > 0 ? 0 : 1;
}
