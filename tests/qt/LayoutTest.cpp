#include "WidgetTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <functional>

namespace pelmark::test {
namespace {

int panelCount(QStatusBar* bar) {
    return static_cast<int>(bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly).size());
}

TEST(Layout, AfterStartUpOnlyTheExifPanelShows) {
    WidgetControl c;
    auto* showHide = c.find<QPushButton>("ShowHide");
    auto* tabs = c.find<QTabWidget>("Tab1");
    ASSERT_TRUE(showHide && tabs);
    EXPECT_EQ(showHide->text(), "Show Waypoint Generator >>>");
    EXPECT_TRUE(c.find("WPFrame")->isHidden());
    EXPECT_FALSE(c.find("EXFrame")->isHidden());
    EXPECT_EQ(c.onControl("EXFrame").left(), c.px(100));
    EXPECT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "Allgemein");
    EXPECT_EQ(panelCount(c.find<QStatusBar>("StatusBar1")), 4);
    EXPECT_EQ(panelCount(c.find<QStatusBar>("StatusBar2")), 1);
    auto* program = c.find<QComboBox>("ExposureProgram");
    ASSERT_TRUE(program);
    EXPECT_EQ(program->count(), 8);
    EXPECT_EQ(program->itemText(7), "8 - Landscape Mode");
}

TEST(Layout, GarTripPathComesFromTheSettingsStoreOrItsDefault) {
    struct Case {
        const char* name;
        std::map<std::string, std::string> settings;
        QString expected;
    };
    const Case cases[] = {
        {"nothing stored", {}, "D:\\Programme\\GPS\\GARtrip\\Gartrip.exe"},
        {"stored empty text stays empty", {{"Options/GARTripPath", ""}}, ""},
        {"stored path", {{"Options/GARTripPath", "/usr/bin/gartrip"}}, "/usr/bin/gartrip"},
        {"other key only", {{"Options/Other", "x"}}, "D:\\Programme\\GPS\\GARtrip\\Gartrip.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WidgetControl control(c.settings);
        QVariant path = control.widget->property("GARTripPath");
        EXPECT_EQ(path.typeId(), QMetaType::QString);
        EXPECT_EQ(path.toString(), c.expected);
    }
}

TEST(Layout, ShowHideTogglesTheWaypointPanelOnTheRealButton) {
    WidgetControl c;
    auto* showHide = c.find<QPushButton>("ShowHide");
    ASSERT_TRUE(showHide);
    struct Step {
        const char* name;
        QString caption;
        bool waypointsShown;
        int exifLeftTwips;
    };
    const Step steps[] = {
        {"first click shows", "Hide Waypoint Generator <<<", true, 4795},
        {"second click restores", "Show Waypoint Generator >>>", false, 100},
        {"third click shows again", "Hide Waypoint Generator <<<", true, 4795},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        showHide->click();
        EXPECT_EQ(showHide->text(), step.caption);
        EXPECT_EQ(!c.find("WPFrame")->isHidden(), step.waypointsShown);
        EXPECT_EQ(c.onControl("EXFrame").left(), c.px(step.exifLeftTwips));
        EXPECT_EQ(c.model().get("EXFrame").left, step.exifLeftTwips);
    }
}

TEST(Layout, AnyResizeLeavesTheFixedSize) {
    struct Case {
        const char* name;
        QSize pixels;
    };
    const Case cases[] = {
        {"smaller", {200, 100}}, {"larger", {2000, 1500}}, {"wider only", {1500, 416}}, {"empty", {0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WidgetControl control;
        const QSize fixed(control.px(15165), control.py(6240));
        control.widget->resize(c.pixels);
        EXPECT_EQ(control.widget->size(), fixed);
        // A host that forces a size past the limits still reaches the model, which restores it.
        QResizeEvent forced(c.pixels, fixed);
        QCoreApplication::sendEvent(control.widget.get(), &forced);
        EXPECT_EQ(control.model().get(Surface::kControl).width, 15165);
        EXPECT_EQ(control.model().get(Surface::kControl).height, 6240);
        EXPECT_EQ(control.widget->minimumSize(), fixed);
        EXPECT_EQ(control.widget->maximumSize(), fixed);
    }
}

TEST(Layout, AGrabShowsKeyElementsAtTheirTwipPlaces) {
    WidgetControl c;
    c.find<QPushButton>("ShowHide")->click();
    QPixmap grabbed = c.widget->grab();
    EXPECT_EQ(grabbed.size(), QSize(c.px(15165), c.py(6240)));

    // Positions add up through the containers: frame, group, tab page below the row of tabs.
    struct Case {
        const char* name;
        int left, top, width, height; // twips on the control
    };
    const Case cases[] = {
        {"ShowHide", 1560, 60, 3135, 300},
        {"WPFrame", 120, 480, 4575, 5175},
        {"EXFrame", 4795, 120, 10335, 6015},
        {"StatusBar1", 4795 + 120, 120 + 5520, 10020, 375},
        {"Tab1", 4795 + 5760, 120 + 960, 4455, 4455},
        {"Frame4", 4795 + 5760 + 120, 120 + 960 + 480, 4215, 1335},
        {"DatumZeit", 4795 + 5760 + 120 + 1800, 120 + 960 + 480 + 270, 2295, 285},
        {"ActPictNum", 4795 + 1080 + 480, 120 + 240 + 240, 375, 285},
        {"KameraShift", 120 + 120 + 1320, 480 + 3360 + 720, 1215, 285},
        {"Bild", 4795 + 120, 120 + 960, 5610, 4208},
    };
    for (const auto& e : cases) {
        SCOPED_TRACE(e.name);
        QRect r = c.onControl(e.name);
        // Each container rounds to whole pixels on its own, so a nested place may be off by one.
        EXPECT_NEAR(r.left(), c.px(e.left), 1);
        EXPECT_NEAR(r.top(), c.py(e.top), 1);
        EXPECT_NEAR(r.width(), c.px(e.width), 1);
        EXPECT_NEAR(r.height(), c.py(e.height), 1);
    }

    // What lies on top is what a click reaches: buttons that reach over a frame's edge included.
    for (const char* name : {"ShowHide", "RandomChoose", "StopBtn", "RunAllBtn", "CombineCmd", "KameraVor"}) {
        SCOPED_TRACE(name);
        QWidget* hit = c.widget->childAt(c.onControl(name).center());
        EXPECT_EQ(hit, c.find(name));
    }
}

TEST(Layout, ElementsCarryTheirFontsColoursAndKeys) {
    WidgetControl c;
    struct Case {
        const char* name;
        std::function<bool(QWidget*)> holds;
    };
    auto base = [](QWidget* w) { return w->palette().color(QPalette::Base); };
    const Case cases[] = {
        {"NoExifAvailable", [](QWidget* w) { return w->font().bold() && w->autoFillBackground(); }},
        {"NoExifAvailable",
         [](QWidget* w) { return w->palette().color(QPalette::Window) == QColor(Qt::red); }},
        {"FilePath", [&](QWidget* w) { return base(w) == w->palette().color(QPalette::Button); }},
        {"FilePath", [](QWidget* w) { return w->focusPolicy() == Qt::ClickFocus; }},
        {"FilePath", [](QWidget* w) { return qobject_cast<QLineEdit*>(w)->isReadOnly(); }},
        {"GarTripToolTipText",
         [&](QWidget* w) { return base(w) == w->palette().color(QPalette::ToolTipBase); }},
        {"GarTripToolTipText", [](QWidget* w) { return qobject_cast<QPlainTextEdit*>(w)->isReadOnly(); }},
        {"Label13", [](QWidget* w) { return !w->autoFillBackground() && !w->font().bold(); }},
        {"KameraShift", [](QWidget* w) { return w->focusPolicy() != Qt::ClickFocus; }},
        {"StrobeReturnLight", [](QWidget* w) { return !w->isEnabled(); }},
        {"RandomChoose",
         [](QWidget* w) {
             return w->toolTip() == QString::fromUtf8("Wählt zufällig ein Bild aus dem Ordner");
         }},
    };
    for (const auto& e : cases) {
        SCOPED_TRACE(e.name);
        QWidget* w = c.find(e.name);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(e.holds(w));
    }

    struct Tool {
        const char* toolbar;
        const char* key;
        QString toolTip;
        bool checkable;
        bool checked;
    };
    const Tool tools[] = {
        {"Toolbar1", "Load", "Load Image", false, false},
        {"Toolbar1", "Open Folder", QString::fromUtf8("Öffnet einen ganzen Ordner"), false, false},
        {"Toolbar2", "Load", "Load Files", false, false},
        {"Toolbar2", "GarTrip Starten", "Start GarTrip after processing", true, true},
        {"Toolbar2", "Options", "Optionen", false, false},
    };
    for (const auto& t : tools) {
        SCOPED_TRACE(t.key);
        QAction* action = c.widget->widgetSurface().toolAction(t.toolbar, t.key);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->toolTip(), t.toolTip);
        EXPECT_EQ(action->isCheckable(), t.checkable);
        EXPECT_EQ(action->isChecked(), t.checked);
        EXPECT_FALSE(action->icon().isNull());
    }
}

TEST(Layout, TheNoticeLineStacksItsLabelsAndShowsARedBar) {
    WidgetControl c;
    QWidget* frame = c.find("EXFrame");
    QWidget* label18 = c.find("Label18");
    QWidget* noExif = c.find("NoExifAvailable");
    QWidget* label13 = c.find("Label13");
    ASSERT_TRUE(frame && label18 && noExif && label13);
    const auto order = frame->children();
    EXPECT_LT(order.indexOf(label18), order.indexOf(noExif));
    EXPECT_LT(order.indexOf(noExif), order.indexOf(label13));
    EXPECT_TRUE(noExif->font().bold());

    // The top row of the bar, right of "Kein l", holds no glyph: it shows the bar's own colour.
    QPoint probe = noExif->mapTo(c.widget.get(), QPoint(noExif->width() - 3, 0));
    auto colourAtProbe = [&] { return c.widget->grab().toImage().pixelColor(probe); };
    EXPECT_NE(colourAtProbe(), QColor(Qt::red));
    c.model().setVisible("NoExifAvailable", true);
    EXPECT_EQ(colourAtProbe(), QColor(Qt::red));
}

} // namespace
} // namespace pelmark::test
