#include "gpx/GpxReader.h"

#include "base/Error.h"
#include "base/FileSlot.h"
#include "base/InstantText.h"
#include "base/NameOrder.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <expat.h>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace pelmark {

namespace {

// Elements by their local name: GPX 1.0 and 1.1 differ in their namespace only where tracks are
// concerned, and some writers give the namespace a prefix.
std::string_view localName(const XML_Char* name) {
    std::string_view text(name);
    const std::size_t colon = text.rfind(':');
    return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<double> numberOf(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The texts a point's children may hold: far longer than any time or elevation, short enough that a
// hostile file cannot grow them.
constexpr std::size_t kFieldBytes = 128;

} // namespace

struct GpxReader::State {
    GeoTrack& track;
    GeoTrack taken; // this file's points, handed over only once the file is read whole
    std::string name;
    XML_Parser parser = nullptr;
    std::string fault; // the first fault, which stops the parser
    // The open elements, by what they are to a track.
    enum class Kind { Track, Segment, Point, Other };
    std::vector<Kind> path;
    std::uint64_t fed = 0;
    std::uint64_t lastEvent = 0; // the byte where the parser last reported something

    // The point being read, from its trkpt start to its end.
    std::optional<double> latitude, longitude;
    enum class Field { None, Time, Elevation } field = Field::None;
    std::string time, elevation;
    bool hasTime = false;

    State(GeoTrack& into, std::string fileName) : track(into), name(std::move(fileName)) {}

    void progress() { lastEvent = static_cast<std::uint64_t>(XML_GetCurrentByteIndex(parser)); }

    void stop(std::string why) {
        if (fault.empty())
            fault =
                name + ", line " + std::to_string(XML_GetCurrentLineNumber(parser)) + ": " + std::move(why);
        XML_StopParser(parser, XML_FALSE);
    }

    bool under(Kind parent) const { return !path.empty() && path.back() == parent; }

    void start(const XML_Char* element, const XML_Char** attributes) {
        progress();
        const std::string_view local = localName(element);
        if (path.empty() && local != "gpx")
            return stop("not a GPX file (its root element is <" + std::string(element) + ">)");
        if (static_cast<int>(path.size()) >= kMaxDepth)
            return stop("elements nested deeper than " + std::to_string(kMaxDepth));
        // Only the track parts of the GPX element count: a <trk> inside an extension is none.
        Kind kind = Kind::Other;
        if (local == "trk" && path.size() == 1) kind = Kind::Track;
        if (local == "trkseg" && under(Kind::Track)) kind = Kind::Segment, taken.startSegment();
        if (local == "trkpt" && under(Kind::Segment)) kind = Kind::Point, beginPoint(attributes);
        if (under(Kind::Point)) {
            field = local == "time" ? Field::Time : local == "ele" ? Field::Elevation : Field::None;
            if (field == Field::Time) hasTime = true, time.clear();
            if (field == Field::Elevation) elevation.clear();
        }
        path.push_back(kind);
    }

    void beginPoint(const XML_Char** attributes) {
        latitude.reset(), longitude.reset();
        hasTime = false;
        time.clear(), elevation.clear();
        for (const XML_Char** a = attributes; a[0] != nullptr; a += 2) {
            const std::string_view attribute = localName(a[0]);
            if (attribute == "lat") latitude = numberOf(a[1]);
            if (attribute == "lon") longitude = numberOf(a[1]);
        }
    }

    void end() {
        progress();
        if (path.empty()) return;
        const Kind kind = path.back();
        path.pop_back();
        if (under(Kind::Point)) {
            field = Field::None;
        } else if (kind == Kind::Point) {
            endPoint();
        }
    }

    void endPoint() {
        if (!latitude || !longitude || std::fabs(*latitude) > 90 || std::fabs(*longitude) > 180) {
            ++taken.skipped.withoutPosition;
            return;
        }
        if (!hasTime || trimmed(time).empty()) {
            ++taken.skipped.withoutTime;
            return;
        }
        const auto instant = isoInstant(trimmed(time));
        if (!instant) {
            ++taken.skipped.impossibleTime;
            return;
        }
        taken.add({*latitude, *longitude, *instant, numberOf(elevation), 0});
    }

    void text(const XML_Char* data, int length) {
        progress();
        if (field == Field::None) return;
        std::string& into = field == Field::Time ? time : elevation;
        const std::size_t room = kFieldBytes - std::min(kFieldBytes, into.size());
        into.append(data, std::min(room, static_cast<std::size_t>(length)));
    }

    void parse(const char* bytes, std::size_t size, bool last) {
        if (!fault.empty()) throw PelmarkError(ErrorKind::FileRead, fault);
        fed += size;
        if (XML_Parse(parser, bytes, static_cast<int>(size), last ? XML_TRUE : XML_FALSE) != XML_STATUS_OK &&
            fault.empty())
            fault = name + ", line " + std::to_string(XML_GetCurrentLineNumber(parser)) + ": " +
                    XML_ErrorString(XML_GetErrorCode(parser));
        if (fault.empty() && fed - lastEvent > kMaxMarkupBytes)
            fault = name + ", line " + std::to_string(XML_GetCurrentLineNumber(parser)) +
                    ": a piece of markup longer than " + std::to_string(kMaxMarkupBytes >> 20) + " MiB";
        if (!fault.empty()) throw PelmarkError(ErrorKind::FileRead, fault);
    }
};

GpxReader::GpxReader(GeoTrack& track, std::string name)
    : state_(std::make_unique<State>(track, std::move(name))) {
    State& s = *state_;
    static constexpr auto stateOf = [](void* data) -> State& { return *static_cast<State*>(data); };
    s.parser = XML_ParserCreate(nullptr);
    if (s.parser == nullptr) throw std::bad_alloc();
    XML_SetUserData(s.parser, &s);
    XML_SetParamEntityParsing(s.parser, XML_PARAM_ENTITY_PARSING_NEVER);
    XML_SetElementHandler(
        s.parser,
        [](void* data, const XML_Char* element, const XML_Char** attributes) {
            stateOf(data).start(element, attributes);
        },
        [](void* data, const XML_Char*) { stateOf(data).end(); });
    XML_SetCharacterDataHandler(
        s.parser, [](void* data, const XML_Char* text, int length) { stateOf(data).text(text, length); });
    // A handler for everything else keeps the markup guard informed and, as a side effect the parser
    // documents, turns off the expansion of entities the document defines itself.
    XML_SetDefaultHandler(s.parser, [](void* data, const XML_Char*, int) { stateOf(data).progress(); });
    XML_SetEntityDeclHandler(s.parser,
                             [](void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                const XML_Char*, const XML_Char*,
                                const XML_Char*) { stateOf(data).stop("a GPX file declares no entities"); });
}

GpxReader::~GpxReader() {
    XML_ParserFree(state_->parser);
}

void GpxReader::feed(std::string_view bytes) {
    // The parser takes an int's worth at a time.
    constexpr std::size_t kPiece = 1 << 30;
    do {
        const std::size_t size = std::min(bytes.size(), kPiece);
        state_->parse(bytes.data(), size, false);
        bytes.remove_prefix(size);
    } while (!bytes.empty());
}

void GpxReader::finish() {
    State& s = *state_;
    s.parse(nullptr, 0, true);
    GeoTrack& track = s.track;
    // The file's segments follow those of earlier files; the first file's points are moved, not copied,
    // so a track of a million points is not held twice.
    for (GeoPoint& point : s.taken.points)
        point.segment += track.segments;
    if (track.points.empty())
        track.points.swap(s.taken.points);
    else
        track.points.insert(track.points.end(), s.taken.points.begin(), s.taken.points.end());
    track.segments += s.taken.segments;
    track.skipped.withoutTime += s.taken.skipped.withoutTime;
    track.skipped.impossibleTime += s.taken.skipped.impossibleTime;
    track.skipped.outOfOrder += s.taken.skipped.outOfOrder;
    track.skipped.withoutPosition += s.taken.skipped.withoutPosition;
    s.taken = {};
}

void readGpxFile(const std::string& path, GeoTrack& track) {
    const int fd = openRegularFile(path, O_RDONLY);
    if (fd < 0) throw openFailure(path);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    GpxReader reader(track, path);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw PelmarkError(ErrorKind::FileRead, path + ": " + std::strerror(errno));
        if (got == 0) break;
        reader.feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    }
    reader.finish();
}

bool isGpxName(std::string_view path) {
    return endsWithName(path, ".GPX");
}

} // namespace pelmark
