#include "sample/SampleTrip.h"

#include "base/Error.h"
#include "fixtures/JpegExifWriter.h"
#include "fixtures/TrackFileWriter.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace pelmark::sample {

namespace {

using fixtures::TiffEntry;

constexpr int kPhotos = 24;
// The walk is on the track from the third photo to the 21st; the first two were taken before the
// receiver was switched on, the last three after it was switched off.
constexpr int kFirstOnTrack = 2;
constexpr int kLastOnTrack = 20;

// The camera's clock as the control compares it: GPS time plus two hours, and the camera 31 seconds
// behind, which is the offset the control starts with.
constexpr long kCameraMinusGps = 2 * 3600 - 31;

constexpr long kDayStart = 9 * 3600 + 30 * 60 + 12; // 09:30:12 on the camera
constexpr long kTrackStep = 15;

// The photos off the track lie this much further away from it: breakfast before the walk, the church
// after it. With the gaps as even as the walk's, the photos moved by ten minutes would fit the track
// as well as at the right offset, and no offset could be told from the others.
constexpr long kOffTrackGap = 20 * 60;

long cameraSecondOfDay(int photo) {
    // Ten minutes apart, with a few seconds of irregularity as a walker has.
    const long gap = photo < kFirstOnTrack ? -kOffTrackGap : photo > kLastOnTrack ? kOffTrackGap : 0;
    return kDayStart + photo * 600L + (photo * 37L) % 50 + gap;
}

std::string exifTime(long secondOfDay) {
    char text[64];
    std::snprintf(text, sizeof text, "2003:08:14 %02ld:%02ld:%02ld", secondOfDay / 3600,
                  secondOfDay / 60 % 60, secondOfDay % 60);
    return text;
}

// Seconds from the track format's epoch, 1989-12-31 00:00:00, to the start of the trip's day.
std::uint32_t tripDayInTrackTime() {
    using namespace std::chrono;
    auto days = sys_days{year{2003} / August / 14} - sys_days{year{1989} / December / 31};
    return static_cast<std::uint32_t>(days.count() * 86400L);
}

std::string littleEndianSigned(std::int32_t value) {
    return fixtures::littleEndian(static_cast<std::uint32_t>(value), 4);
}

TiffEntry signedRationalEntry(std::uint16_t tag, std::int32_t numerator, std::int32_t denominator) {
    return {tag,
            static_cast<std::uint16_t>(fixtures::TiffType::SRational),
            1,
            littleEndianSigned(numerator) + littleEndianSigned(denominator),
            std::nullopt,
            false};
}

// A landscape that changes from photo to photo: the sun climbs, the hills shift, the light warms.
QByteArray pictureJpeg(int photo) {
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, QColor::fromHsv(210, 160, 200 + photo * 2));
    sky.setColorAt(1, QColor::fromHsv(200 - photo * 3, 60, 255));
    painter.fillRect(0, 0, 640, 300, sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 230 - photo * 2, 120));
    painter.drawEllipse(QPointF(60.0 + photo * 22.0, 230.0 - photo * 7.0), 34, 34);
    for (int layer = 0; layer < 3; ++layer) {
        QPolygonF hills;
        hills << QPointF(0, 480);
        for (int x = 0; x <= 640; x += 32) {
            double y = 260 + layer * 60 + 40 * std::sin((x + photo * 45 + layer * 120) / 90.0);
            hills << QPointF(x, y);
        }
        hills << QPointF(640, 480);
        painter.setBrush(QColor::fromHsv(100 + layer * 12 + photo, 140 + layer * 30, 150 - layer * 35));
        painter.drawPolygon(hills);
    }
    painter.end();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG", 85))
        throw PelmarkError(ErrorKind::FileWrite, "no JPEG encoder for the sample pictures");
    return jpeg;
}

std::string photoBytes(int photo, const SamplePhoto& description) {
    // The control reads the first byte of a rational as its number, as the cameras of its day wrote
    // them: an exposure of 1/250 s stands as 25/6250, a shutter speed as a whole APEX value.
    static constexpr std::uint32_t kExposures[] = {100, 200, 250, 320, 500, 160};
    static constexpr std::uint32_t kApertures[] = {28, 40, 56, 80, 56, 40};
    std::uint32_t exposure = kExposures[photo % 6];
    auto apex = static_cast<std::int32_t>(std::lround(std::log2(exposure)));
    // The last photos were taken in a dark church, with flash; one saw its return light.
    std::uint16_t flash = photo < 21 ? 0 : photo == 22 ? 7 : 1;
    fixtures::JpegExifWriter writer;
    writer.main(fixtures::asciiEntry(0x010E, "Sample trip, photo " + std::to_string(photo + 1)))
        .main(fixtures::asciiEntry(0x010F, "ACME Camera Works"))
        .main(fixtures::asciiEntry(0x0110, "ACME Pocket 2"))
        .main(fixtures::shortEntry(0x0112, 1))
        .main(fixtures::asciiEntry(0x0131, "Ver.1.03"))
        .main(fixtures::asciiEntry(0x0132, description.takenAt))
        .main(fixtures::exifPointerEntry())
        .sub(fixtures::rationalEntry(0x829A, exposure / 10, exposure * exposure / 10))
        .sub(fixtures::rationalEntry(0x829D, kApertures[photo % 6], 10))
        .sub(fixtures::shortEntry(0x8822, photo % 4 == 3 ? 1 : 2))
        .sub(fixtures::undefinedEntry(0x9000, "0220"))
        .sub(fixtures::asciiEntry(0x9003, description.takenAt))
        .sub(fixtures::asciiEntry(0x9004, description.takenAt))
        .sub(signedRationalEntry(0x9201, apex, 1))
        .sub(fixtures::shortEntry(0x9209, flash))
        .sub(fixtures::rationalEntry(0x920A, 63, 10))
        .sub(fixtures::undefinedEntry(0x9286, std::string("Morning walk by the lake", 25)));
    QByteArray jpeg = pictureJpeg(photo);
    // The EXIF segment comes first, right after the start of image; the encoder's own segments follow.
    return writer.bytes() + std::string(jpeg.constData() + 2, static_cast<std::size_t>(jpeg.size() - 2));
}

std::string trackBytes() {
    fixtures::TrackFileWriter writer;
    writer.title("Sample Trip 14.08.2003");
    std::uint32_t day = tripDayInTrackTime();
    long first = cameraSecondOfDay(kFirstOnTrack) - kCameraMinusGps - 180;
    long last = cameraSecondOfDay(kLastOnTrack) - kCameraMinusGps + 90;
    // A loop around a lake, in the semicircles of the track format (2^31 to 180 degrees).
    constexpr double kSemicircles = 2147483648.0 / 180.0;
    int index = 0;
    for (long t = first; t <= last; t += kTrackStep, ++index) {
        double angle = index * 0.02;
        double latitude = 47.2600 + 0.0120 * std::sin(angle);
        double longitude = 11.3900 + 0.0180 * (1 - std::cos(angle));
        fixtures::TrackFilePoint point;
        point.position1 =
            static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(latitude * kSemicircles)));
        point.position2 =
            static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(longitude * kSemicircles)));
        point.time = day + static_cast<std::uint32_t>(t);
        point.altitude = static_cast<std::uint16_t>(580 + (index * 7) % 40);
        writer.point(point);
    }
    return writer.bytes();
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw PelmarkError(ErrorKind::FileWrite, "cannot write " + path.string());
}

} // namespace

std::vector<SamplePhoto> samplePhotos(long cameraAheadSeconds) {
    std::vector<SamplePhoto> photos;
    for (int photo = 0; photo < kPhotos; ++photo) {
        char name[32];
        std::snprintf(name, sizeof name, "P10100%02d.JPG", photo + 1);
        photos.push_back({name, exifTime(cameraSecondOfDay(photo) + cameraAheadSeconds),
                          photo >= kFirstOnTrack && photo <= kLastOnTrack});
    }
    return photos;
}

void writeSampleTrip(const std::string& folder, long cameraAheadSeconds) {
    std::filesystem::path root(folder);
    std::error_code error;
    std::filesystem::create_directories(root, error);
    if (error) throw PelmarkError(ErrorKind::FileWrite, "cannot make the folder " + folder);
    auto photos = samplePhotos(cameraAheadSeconds);
    for (int photo = 0; photo < kPhotos; ++photo) {
        const auto& description = photos[static_cast<std::size_t>(photo)];
        writeFile(root / description.fileName, photoBytes(photo, description));
    }
    writeFile(root / kSampleTrackName, trackBytes());
}

} // namespace pelmark::sample
