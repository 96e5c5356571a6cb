// Writes the seed corpus of the photo-loader fuzzer into the folder given as the only argument.
#include "SeedFolder.h"
#include "fixtures/JpegExifWriter.h"

#include <string>
#include <utility>

using namespace pelmark::fixtures;

int main(int argc, char** argv) {
    JpegExifWriter camera;
    camera.main(asciiEntry(0x010E, "Am See"))
        .main(asciiEntry(0x010F, "ACME Optics"))
        .main(asciiEntry(0x0110, "Pocket 2"))
        .main(asciiEntry(0x0131, "v757-71"))
        .main(asciiEntry(0x0132, "2003:08:14 09:30:12"))
        .main(longEntry(0x8825, 0x300))
        .sub(rationalEntry(0x829A, 10, 1000))
        .sub(rationalEntry(0x829D, 28, 10))
        .sub(shortEntry(0x8822, 2))
        .sub(undefinedEntry(0x9000, "0210"))
        .sub(asciiEntry(0x9003, "2003:08:14 09:30:12"))
        .sub(asciiEntry(0x9004, "2003:08:14 09:30:12"))
        .sub(rationalEntry(0x9201, 7, 1))
        .sub(shortEntry(0x9209, 7))
        .sub(undefinedEntry(0x927C, std::string("Lumos\0\1\2", 8)))
        .sub(undefinedEntry(0x9286, std::string("ASCII\0\0\0Kommentar", 17)))
        .sub(asciiEntry(0x9290, "00"))
        .withPicture();
    JpegExifWriter longLink;
    longLink.sub(shortEntry(0x9209, 1)).subLink(0x01010101).afterSubDirectory(std::string(150 * 12, '\x01'));
    JpegExifWriter motorola;
    motorola.motorola().main(asciiEntry(0x010F, "Brightline")).sub(shortEntry(0x9209, 1));

    // Each seed starts with the length of the hole the fuzzer appends to the file (little-endian).
    const std::string noHole(4, '\0');
    const std::string twoGiB("\0\0\0\x80", 4);
    JpegExifWriter huge;
    for (int k = 0; k < 64; ++k)
        huge.main(rawEntry(static_cast<std::uint16_t>(k % 2 ? 0x010F : 0x010E), 2, 2'000'000'000, 0x400));
    huge.sub(rawEntry(0x927C, 7, 2'000'000'000, 0x400)).sub(rawEntry(0x9003, 2, 0xFFFFFFFF, 0x400));
    const pelmark::fuzz::Seeds seeds = {
        {"huge-counts-over-a-hole.jpg", twoGiB + huge.bytes()},
        {"camera.jpg", noHole + camera.bytes()},
        {"first-directory-only.jpg", noHole + JpegExifWriter().main(asciiEntry(0x010F, "Lumo")).bytes()},
        {"long-link.jpg", noHole + longLink.bytes()},
        {"motorola.jpg", noHole + motorola.bytes()},
        {"pointer-to-itself.jpg", noHole + JpegExifWriter().main(rawEntry(0x8769, 4, 1, 8)).bytes()},
        {"cut-in-directory.jpg", noHole + camera.bytesCutAt(60)},
        {"jfif.jpg", noHole + jfifJpeg()},
        {"scan.tif", noHole + tiffFile()},
    };
    return pelmark::fuzz::writeSeeds(argc, argv, seeds);
}
