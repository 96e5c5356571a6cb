#include "fixtures/BenchCorpus.h"
#include "geotag/GeotagCommand.h"
#include "qtplatform/TimeRecord.h"
#include "restore/RestoreTimes.h"
#include "support/TempDir.h"

#include <cmath>
#include <exiv2/convert.hpp>
#include <exiv2/exif.hpp>
#include <exiv2/image.hpp>
#include <filesystem>
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/uri.h>
#include <map>
#include <sstream>

namespace pelmark {
namespace {

using test::contentOf;

// The bench corpus: photo k taken at 09:00:00 + k s, point i at 08:00:00 + i s of track time, which
// the matching compares two hours later; with the camera an hour behind, photo k's nearest point is i = k,
// at (0x10000000 + k, 0x20000000 + k) semicircles, k metres high.
struct Corpus {
    explicit Corpus(int photos) { fixtures::writeBenchCorpus(dir.folder(), photos, "bench.t", photos + 40); }
    int run(std::vector<std::string> args, std::string* said = nullptr) const {
        args.insert(args.end(),
                    {"--offset", "3600", "--settings", dir.file("settings"), "--", dir.file("bench.t")});
        std::ostringstream out, err;
        const int code = geotag::runGeotag(args, out, err, false);
        if (said) *said = out.str() + err.str();
        return code;
    }
    // Every file by its path, but the waypoint file each run writes.
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> bytes;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.is_regular_file() && entry.path().extension() != ".wp")
                bytes[entry.path().string()] = contentOf(entry.path());
        return bytes;
    }
    static double latitude(int k) { return (0x10000000 + k) * 180.0 / 2147483648.0; }
    static double longitude(int k) { return (0x20000000 + k) * 180.0 / 2147483648.0; }
    test::TempDir dir;
};

std::string text(const xmlChar* value) {
    return value ? reinterpret_cast<const char*>(value) : "";
}

TEST(GeotagOutputs, GpxWaypointsLieOnTheNearestPointsOfTheTrack) {
    const Corpus corpus(40);
    // Names XML must escape, and one that is no UTF-8: the link keeps its bytes, the name shows U+FFFD.
    const std::map<int, std::pair<std::string, std::string>> renamed = {
        {1, {"a & <b> \"\xC3\xA9\".JPG", "a & <b> \"\xC3\xA9\".JPG"}},
        {2, {"x\xFF.JPG", "x\xEF\xBF\xBD.JPG"}}};
    std::map<std::string, int> photoOfName;
    for (int k = 1; k <= 40; ++k) {
        const bool rename = renamed.count(k) != 0;
        if (rename)
            std::filesystem::rename(corpus.dir.file(fixtures::benchPhotoName(k)),
                                    corpus.dir.file(renamed.at(k).first));
        photoOfName[rename ? renamed.at(k).second : fixtures::benchPhotoName(k)] = k;
    }
    ASSERT_EQ(corpus.run({"--gpx", corpus.dir.file("photos.gpx")}), 0);

    const std::string gpx = contentOf(corpus.dir.file("photos.gpx"));
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        xmlReadMemory(gpx.data(), static_cast<int>(gpx.size()), nullptr, nullptr, XML_PARSE_NONET),
        xmlFreeDoc);
    ASSERT_TRUE(doc) << gpx;
    int waypoints = 0;
    for (xmlNode* wpt = xmlDocGetRootElement(doc.get())->children; wpt; wpt = wpt->next) {
        if (wpt->type != XML_ELEMENT_NODE) continue;
        std::map<std::string, std::string> field; // the waypoint's attributes and elements, the link's href
        const auto attributes = [&](xmlNode* node) {
            for (xmlAttr* attribute = node->properties; attribute; attribute = attribute->next)
                field[text(attribute->name)] = text(attribute->children->content);
        };
        attributes(wpt);
        for (xmlNode* child = wpt->children; child; child = child->next) {
            attributes(child);
            std::unique_ptr<xmlChar, decltype(xmlFree)> value(xmlNodeGetContent(child), xmlFree);
            field[text(child->name)] = text(value.get());
        }
        SCOPED_TRACE(field["name"]);
        ASSERT_EQ(photoOfName.count(field["name"]), 1u);
        const int k = photoOfName[field["name"]];
        ++waypoints;
        EXPECT_NEAR(std::stod(field["lat"]), Corpus::latitude(k), 1e-6);
        EXPECT_NEAR(std::stod(field["lon"]), Corpus::longitude(k), 1e-6);
        // Neighbouring points lie closer than 1e-6 degrees: height and time tell the point itself.
        EXPECT_EQ(field["ele"], std::to_string(k));
        EXPECT_EQ(field["time"],
                  "2003-08-14T08:00:" + std::string(k < 10 ? "0" : "") + std::to_string(k) + "Z");
        ASSERT_TRUE(field["href"].starts_with("file://"));
        EXPECT_EQ(field["href"].find_first_not_of(
                      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_.~/:%"),
                  std::string::npos);
        std::unique_ptr<char, decltype(xmlFree)> path(
            xmlURIUnescapeString(field["href"].c_str() + 7, 0, nullptr), xmlFree);
        EXPECT_EQ(std::string(path.get()),
                  corpus.dir.file(renamed.count(k) ? renamed.at(k).first : fixtures::benchPhotoName(k)));
    }
    EXPECT_EQ(waypoints, 40);
}

struct Place {
    double latitude, longitude, altitude;
    std::string time;
};

// The position as the metadata library reads a sidecar, through its own conversion to EXIF (which
// keeps seconds as a float: 1e-6 degrees at best).
std::optional<Place> placeIn(const std::string& sidecar) {
    auto image = Exiv2::ImageFactory::open(sidecar);
    image->readMetadata();
    Exiv2::ExifData exif;
    Exiv2::copyXmpToExif(image->xmpData(), exif);
    const auto degrees = [&](const char* key, const char* ref) {
        const Exiv2::Exifdatum& value = exif[key];
        const double sign = exif[ref].toString() == "S" || exif[ref].toString() == "W" ? -1 : 1;
        return sign * (value.toFloat(0) + value.toFloat(1) / 60 + value.toFloat(2) / 3600);
    };
    if (exif.findKey(Exiv2::ExifKey("Exif.GPSInfo.GPSLatitude")) == exif.end()) return std::nullopt;
    return Place{degrees("Exif.GPSInfo.GPSLatitude", "Exif.GPSInfo.GPSLatitudeRef"),
                 degrees("Exif.GPSInfo.GPSLongitude", "Exif.GPSInfo.GPSLongitudeRef"),
                 exif["Exif.GPSInfo.GPSAltitude"].toFloat(),
                 image->xmpData()["Xmp.exif.GPSTimeStamp"].toString()};
}

// A sidecar made by another program: a rating, and with `position` a place of its own.
std::string foreignSidecar(bool position) {
    return std::string(
               "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF "
               "xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><rdf:Description rdf:about=\"\" "
               "xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" xmlns:exif=\"http://ns.adobe.com/exif/1.0/\" "
               "xmp:Rating=\"4\"") +
           (position ? " exif:GPSLatitude=\"10,30.000000S\" exif:GPSLongitude=\"20,0.000000W\"" : "") +
           "/></rdf:RDF></x:xmpmeta>\n";
}

TEST(GeotagOutputs, SidecarsAreWrittenKeptAndRestoredWhilePhotosStayAsTheyWere) {
    const Corpus corpus(5);
    const auto sidecar = [&](int k) { return corpus.dir.file("P100000" + std::to_string(k) + ".xmp"); };
    corpus.dir.write("elsewhere.xmp", "not ours");
    std::filesystem::create_symlink(corpus.dir.file("elsewhere.xmp"), sidecar(4));
    corpus.dir.write("P1000002.xmp", foreignSidecar(false));
    corpus.dir.write("P1000003.xmp", foreignSidecar(true));
    const std::map<std::string, std::string> before = corpus.files();

    struct Case {
        const char* name;
        int photo;
        // After the run: holds the photo's own place, keeps the other program's rating, is byte for byte
        // as before.
        bool ours, rated, intact;
    };
    const std::vector<std::pair<std::vector<std::string>, std::vector<Case>>> runs = {
        {{"--xmp"},
         {{"new", 1, true, false, false},
          {"another program's, without a place", 2, true, true, false},
          {"another program's place stays", 3, false, true, true},
          {"a link stands at the name", 4, false, false, true}}},
        {{"--xmp", "--overwrite"}, {{"another program's place gives way", 3, true, true, false}}},
    };
    for (const auto& [args, cases] : runs) {
        std::string said;
        EXPECT_EQ(corpus.run(args, &said), 1) << said; // the link's sidecar was not written
        EXPECT_NE(said.find("P1000004.xmp not written: a symbolic link"), std::string::npos) << said;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            const std::string path = sidecar(c.photo);
            const std::optional<Place> place = c.photo == 4 ? std::nullopt : placeIn(path);
            EXPECT_EQ(place && std::fabs(place->latitude - Corpus::latitude(c.photo)) < 1e-6 &&
                          std::fabs(place->longitude - Corpus::longitude(c.photo)) < 1e-6 &&
                          place->altitude == c.photo &&
                          place->time == "2003-08-14T08:00:0" + std::to_string(c.photo) + "Z",
                      c.ours);
            EXPECT_EQ(contentOf(path).find("Rating=\"4\"") != std::string::npos, c.rated);
            EXPECT_EQ(before.count(path) && contentOf(path) == before.at(path), c.intact);
        }
    }
    EXPECT_TRUE(std::filesystem::is_symlink(sidecar(4)));
    EXPECT_EQ(corpus.run({"--xmp=full"}), 0);
    EXPECT_TRUE(placeIn(corpus.dir.file("P1000004.JPG.xmp")));

    // A link put where a sidecar of ours stood is left alone, and its line stays for another try.
    std::filesystem::remove(sidecar(5));
    std::filesystem::create_symlink(corpus.dir.file("elsewhere.xmp"), sidecar(5));
    std::ostringstream out, err;
    EXPECT_EQ(restore::runRestoreTimes({"--settings", corpus.dir.file("settings")}, out, err), 1);
    std::vector<RecordedSidecar> left;
    TimeRecord::forSettingsFolder(corpus.dir.file("settings")).read(nullptr, &left);
    EXPECT_TRUE(left.size() == 2 && left[0].path == sidecar(5) && left[1].path == sidecar(5)) << err.str();
    // Everything as it was but that link: the photos never changed, new sidecars gone, changed ones back.
    std::filesystem::remove(sidecar(5));
    const std::map<std::string, std::string> after = corpus.files();
    for (const auto& [path, bytes] : before)
        EXPECT_TRUE(after.count(path) && after.at(path) == bytes) << path << " changed";
    EXPECT_EQ(after.size(), before.size()) << out.str();
}

} // namespace
} // namespace pelmark
