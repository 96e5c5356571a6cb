#include "../WidgetTestSupport.h"
#include "fixtures/JpegExifWriter.h"
#include "host/HostArguments.h"
#include "host/OpenAtStart.h"
#include "support/TempDir.h"

namespace pelmark::test {
namespace {

using host::HostArguments;
using Action = HostArguments::Action;

TEST(HostArguments, CommandLines) {
    TempDir dir;
    const std::string photo = dir.write("Ausflug M\xc3\xbcnchen/P1.jpg", "x");
    const std::string folder = dir.file("Ausflug M\xc3\xbcnchen");
    struct Case {
        const char* name;
        QStringList arguments;
        Action action;
        std::string path;
    };
    const QString utf8Folder = QString::fromUtf8(folder);
    const Case cases[] = {
        {"nothing: the window alone", {}, Action::ShowWindow, ""},
        {"help", {"--help"}, Action::PrintHelp, ""},
        {"short help", {"-h"}, Action::PrintHelp, ""},
        {"version", {"--version"}, Action::PrintVersion, ""},
        {"a folder, named in UTF-8, gets its separator", {utf8Folder}, Action::ShowWindow, folder + "/"},
        {"a folder with its separator", {utf8Folder + "/"}, Action::ShowWindow, folder + "/"},
        {"a photo", {QString::fromUtf8(photo)}, Action::ShowWindow, photo},
        {"a path that does not exist", {utf8Folder + "/P2.jpg"}, Action::Fail, ""},
        {"two paths", {utf8Folder, utf8Folder}, Action::Fail, ""},
        {"an unknown option", {"--frobnicate"}, Action::Fail, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostArguments parsed = host::parseHostArguments(QStringList{"pelmark"} + c.arguments);
        EXPECT_EQ(parsed.action, c.action);
        EXPECT_EQ(parsed.path, c.path);
        EXPECT_EQ(parsed.text.isEmpty(), c.action == Action::ShowWindow) << parsed.text.toStdString();
    }
}

TEST(HostArguments, OpensAtThePhotoWithPicturesShown) {
    TempDir dir;
    const std::string bytes = fixtures::JpegExifWriter().withPicture().bytes();
    for (const char* name : {"P1.jpg", "P2.jpg", "P3.jpg"})
        dir.write(std::string("trip/") + name, bytes);
    struct Case {
        const char* name;
        std::string path;
        std::string shown;
    };
    const Case cases[] = {
        {"a folder opens at its first photo", dir.folder() + "trip/", dir.file("trip/P1.jpg")},
        {"a photo opens its folder at that photo", dir.file("trip/P2.jpg"), dir.file("trip/P2.jpg")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WidgetControl control;
        host::openAtStart(control.widget->control(), c.path);
        EXPECT_GE(control.model().value("UpDown1"), 1);
        EXPECT_EQ(control.model().text("FilePath"), c.shown);
        EXPECT_EQ(control.model().value("ShowPictures"), 1);
        EXPECT_TRUE(control.model().get("Bild").picture.has_value());
    }
}

} // namespace
} // namespace pelmark::test
