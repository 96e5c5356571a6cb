// The lower bound `pelmark geotag` is held against: a plain program that reads the capture times of the
// photos beside a track file and the track's points, and matches each photo to the nearest point by
// binary search (within two minutes, the camera's clock moved by OFFSET seconds). It prints a line
// per photo, so that the work cannot be skipped, and leaves out everything the control does besides.
#include "MinimalRead.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// Seconds from the track clock's start (1989-12-31 00:00:00) to an EXIF time "YYYY:MM:DD HH:MM:SS";
// false when the text is no such time.
bool secondsOf(const std::string& text, long long& seconds) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (std::sscanf(text.c_str(), "%4d:%2d:%2d %2d:%2d:%2d", &y, &mo, &d, &h, &mi, &s) != 6) return false;
    using namespace std::chrono;
    const sys_days day{year{y} / month{static_cast<unsigned>(mo)} /
                       std::chrono::day{static_cast<unsigned>(d)}};
    const sys_days start{year{1989} / December / 31};
    seconds = (day - start).count() * 86400LL + h * 3600 + mi * 60 + s;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: minimal-matcher TRACK OFFSET\n");
        return 2;
    }
    const std::string track = argv[1];
    const long long offset = std::atoll(argv[2]);
    std::vector<std::uint32_t> times;
    if (!minimal::trackTimes(track, times)) return 2;
    std::vector<std::pair<std::uint32_t, int>> points; // time, point number
    for (std::size_t p = 0; p < times.size(); ++p)
        points.emplace_back(times[p], static_cast<int>(p + 1));
    std::sort(points.begin(), points.end());

    const std::size_t slash = track.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : track.substr(0, slash);
    const std::string trackName = slash == std::string::npos ? track : track.substr(slash + 1);
    int matched = 0;
    for (const std::string& name : minimal::photoNames(folder, trackName)) {
        long long taken = 0;
        int point = 0;
        if (secondsOf(minimal::captureTime(folder + "/" + name), taken)) {
            // The control compares a point's time two hours ahead of its seconds count.
            const long long at = taken + offset - 7200;
            auto next =
                std::lower_bound(points.begin(), points.end(), std::pair{static_cast<std::uint32_t>(at), 0});
            long long best = 120;
            for (auto it : {next, next == points.begin() ? next : next - 1})
                if (it != points.end() && std::llabs(it->first - at) < best) {
                    best = std::llabs(it->first - at);
                    point = it->second;
                }
        }
        matched += point != 0;
        std::printf("%s %d\n", name.c_str(), point);
    }
    std::printf("%d matched\n", matched);
    return matched > 0 ? 0 : 1;
}
