#include "../WidgetTestSupport.h"
#include "fixtures/JpegExifWriter.h"
#include "host/HostArguments.h"
#include "host/HostWindow.h"
#include "host/OpenAtStart.h"
#include "host/TrackView.h"
#include "sample/SampleTrip.h"
#include "support/TempDir.h"

#include <QAbstractButton>

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
    // A folder opens at its first photo, a photo opens its folder at that photo.
    const std::pair<std::string, std::string> cases[] = {{dir.folder() + "trip/", dir.file("trip/P1.jpg")},
                                                         {dir.file("trip/P2.jpg"), dir.file("trip/P2.jpg")}};
    for (const auto& [path, opened] : cases) {
        SCOPED_TRACE(path);
        WidgetControl control;
        host::openAtStart(control.widget->control(), path);
        EXPECT_GE(control.model().value("UpDown1"), 1);
        EXPECT_EQ(control.model().text("FilePath"), opened);
        EXPECT_EQ(control.model().value("ShowPictures"), 1);
        EXPECT_TRUE(control.model().get("Bild").picture.has_value());
    }
}

// What a label or field shows, as text a failure can print.
std::string shown(QWidget& window, const char* name) {
    auto* widget = window.findChild<QWidget*>(QString::fromLatin1(name));
    return widget ? widget->property("text").toString().toStdString() : "(none)";
}

void press(QWidget& window, const char* name) {
    if (auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name))) button->click();
}

// After RUN the panel says what the control matched, and the bar offers the finder's offset only
// when it matches clearly more; taking it enters it and matches again.
TEST(HostWindow, ResultsAndTheOffsetOffered) {
    struct Case {
        const char* name;
        int cameraAhead;
        std::string matched, offer, afterApply;
        std::size_t onTrack;            // photos drawn on the track after RUN
        bool trackByRunsDialog = false; // RUN asks for the track itself
    };
    // clang-format off
    const Case cases[] = {
        {"the camera an hour ahead", 3600, "15 von 24", "Mit der Kamera 1 h vor passen 19 statt 15 Fotos", "19 von 24", 15},
        {"the camera right, the track chosen in RUN's dialog: nothing to offer", 0, "19 von 24", "", "", 19, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        sample::writeSampleTrip(dir.folder(), c.cameraAhead);
        ScriptedPlatform platform;
        host::HostWindow window(&platform);
        window.openFolder(dir.folder());
        if (c.trackByRunsDialog) {
            platform.queueFile(dir.file(sample::kSampleTrackName));
            press(window.control(), "RunAllBtn");
        } else {
            window.openTrack(dir.file(sample::kSampleTrackName));
            window.run();
        }
        EXPECT_EQ(shown(window, "ResultMatched"), c.matched);
        EXPECT_EQ(shown(window, "ResultWayPointFile"), dir.folder() + dir.path().filename().string() + ".wp");
        EXPECT_EQ(window.trackView().marks().size(), c.onTrack);
        auto* bar = window.findChild<QWidget*>(QStringLiteral("OffsetBar"));
        EXPECT_EQ(!bar->isHidden(), !c.offer.empty());
        if (c.offer.empty()) {
            // An offset typed in moves the photos on the track before any run.
            window.control().control().surface().userSetText("KameraShift", "99999");
            EXPECT_TRUE(window.trackView().marks().empty());
            continue;
        }
        EXPECT_EQ(shown(window, "OffsetBarText"), c.offer);
        press(window, "OffsetBarApply");
        EXPECT_EQ(window.control().control().surface().text("KameraShift"), "3569");
        EXPECT_EQ(shown(window, "ResultMatched"), c.afterApply);
        EXPECT_EQ(window.trackView().marks().size(), 19u);
        EXPECT_TRUE(bar->isHidden());
    }
}

// The clock time the user reads off a photo of the receiver becomes the offset entered.
TEST(HostWindow, EntersTheOffsetOfAPhotoOfTheGpsClock) {
    TempDir dir;
    sample::writeSampleTrip(dir.folder(), 3600); // photo 1 taken at 10:10:12 by the camera's clock
    const std::pair<QString, std::string> cases[] = {{"07:10:43", "3569"}, {"7 Uhr", "31"}};
    for (const auto& [shownTime, entered] : cases) {
        SCOPED_TRACE(shownTime.toStdString());
        ScriptedPlatform platform;
        host::HostWindow window(&platform);
        window.setMessenger([](const QString&) {});
        window.offsetFromClockPhoto(dir.file("P1010001.JPG"), shownTime);
        EXPECT_EQ(window.control().control().surface().text("KameraShift"), entered);
    }
}

// The window comes back as it was left, with the folder and the track of the last session; a folder
// without photos is said so and not remembered.
TEST(HostWindow, RemembersWhereTheUserWas) {
    TempDir dir;
    sample::writeSampleTrip(dir.folder() + "trip/", 0);
    std::filesystem::create_directory(dir.file("empty"));
    ScriptedPlatform platform;
    QStringList told;
    QRect placed;
    {
        host::HostWindow window(&platform);
        window.setMessenger([&](const QString& text) { told << text; });
        window.startUp(dir.folder() + "trip/");
        QCoreApplication::processEvents();
        window.openTrack(dir.file("trip/trip.t"));
        EXPECT_FALSE(window.openFolder(dir.folder() + "empty/"));
        window.setGeometry(40, 50, 900, 500);
        placed = window.geometry();
        window.close();
    }
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told.front().contains(QStringLiteral("kein Foto")));
    host::HostWindow again(&platform);
    again.startUp("");
    QCoreApplication::processEvents();
    Surface& surface = again.control().control().surface();
    EXPECT_EQ(surface.text("PathTxt"), dir.file("trip/trip.t"));
    EXPECT_EQ(surface.text("FilePath").rfind(dir.folder() + "trip/", 0), 0u) << surface.text("FilePath");
    EXPECT_EQ(again.geometry().size(), placed.size());
    EXPECT_EQ(again.focusWidget(), again.control().findChild<QWidget*>(QStringLiteral("ActPictNum")));
}

} // namespace
} // namespace pelmark::test
