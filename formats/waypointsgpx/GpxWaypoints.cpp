#include "waypointsgpx/GpxWaypoints.h"

#include "base/Error.h"
#include "base/InstantText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <libxml/chvalid.h>
#include <libxml/uri.h>
#include <libxml/xmlstring.h>
#include <libxml/xmlwriter.h>
#include <memory>

namespace pelmark {

namespace {

const xmlChar* xml(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

// Nine decimals: a track's resolution is 2^-31 of 180 degrees, about 8e-8.
std::string degreesText(double degrees) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, degrees, std::chars_format::fixed, 9).ptr;
    return std::string(text, end);
}

std::string numberText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

// The length of the UTF-8 character at `at` when XML may carry it, else 0.
std::size_t xmlCharacterAt(const std::string& text, std::size_t at) {
    int length = static_cast<int>(std::min<std::size_t>(text.size() - at, 4));
    const int code = xmlGetUTF8Char(xml(text.c_str() + at), &length);
    return code >= 0 && xmlIsCharQ(code) ? static_cast<std::size_t>(length) : 0;
}

std::string xmlText(const std::string& bytes) {
    std::string text;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = xmlCharacterAt(bytes, at);
        text += length > 0 ? bytes.substr(at, length) : "\xEF\xBF\xBD";
        at += length > 0 ? length : 1;
    }
    return text;
}

std::string fileUri(const std::string& path) {
    std::unique_ptr<xmlChar, decltype(xmlFree)> escaped(xmlURIEscapeStr(xml(path.c_str()), xml("/")),
                                                        xmlFree);
    if (!escaped) throw PelmarkError(ErrorKind::FileWrite, "out of memory for the link of " + path);
    return std::string("file://") + reinterpret_cast<const char*>(escaped.get());
}

class Writer {
public:
    Writer() : buffer_(xmlBufferCreate()), writer_(buffer_ ? xmlNewTextWriterMemory(buffer_, 0) : nullptr) {
        if (!writer_) fail();
    }
    ~Writer() {
        if (writer_) xmlFreeTextWriter(writer_);
        if (buffer_) xmlBufferFree(buffer_);
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    xmlTextWriterPtr get() const { return writer_; }
    // Every call of the writer answers a negative number when it failed.
    void check(int answer) const {
        if (answer < 0) fail();
    }
    void element(const char* name, const std::string& text) const {
        check(xmlTextWriterWriteElement(writer_, xml(name), xml(text.c_str())));
    }
    void attribute(const char* name, const std::string& text) const {
        check(xmlTextWriterWriteAttribute(writer_, xml(name), xml(text.c_str())));
    }
    std::string finish() {
        xmlFreeTextWriter(writer_);
        writer_ = nullptr;
        return std::string(reinterpret_cast<const char*>(xmlBufferContent(buffer_)),
                           static_cast<std::size_t>(xmlBufferLength(buffer_)));
    }

private:
    [[noreturn]] static void fail() {
        throw PelmarkError(ErrorKind::FileWrite, "the XML writer could not make the GPX document");
    }
    xmlBufferPtr buffer_;
    xmlTextWriterPtr writer_;
};

} // namespace

std::string gpxWaypoints(const std::vector<PlacedPhoto>& photos) {
    Writer out;
    xmlTextWriterPtr w = out.get();
    out.check(xmlTextWriterSetIndent(w, 1));
    out.check(xmlTextWriterSetIndentString(w, xml("  ")));
    out.check(xmlTextWriterStartDocument(w, "1.0", "UTF-8", nullptr));
    out.check(xmlTextWriterStartElement(w, xml("gpx")));
    out.attribute("version", "1.1");
    out.attribute("creator", "pelmark geotag");
    out.attribute("xmlns", "http://www.topografix.com/GPX/1/1");
    out.attribute("xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance");
    out.attribute("xsi:schemaLocation",
                  "http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd");
    for (const PlacedPhoto& photo : photos) {
        out.check(xmlTextWriterStartElement(w, xml("wpt")));
        out.attribute("lat", degreesText(photo.latitude));
        out.attribute("lon", degreesText(photo.longitude));
        // The schema's order: ele, time, then name and link.
        if (photo.elevation) out.element("ele", numberText(*photo.elevation));
        if (photo.utcSeconds) out.element("time", isoText(static_cast<double>(*photo.utcSeconds)));
        out.element("name", xmlText(photo.name));
        out.check(xmlTextWriterStartElement(w, xml("link")));
        out.attribute("href", fileUri(photo.path));
        out.check(xmlTextWriterEndElement(w));
        out.check(xmlTextWriterEndElement(w));
    }
    out.check(xmlTextWriterEndDocument(w));
    return out.finish();
}

} // namespace pelmark
