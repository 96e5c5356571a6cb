#include "WidgetTestSupport.h"
#include "widget/ToolbarIcons.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace pelmark::test {
namespace {

// Start-up and what the model holds are the widget driver's and the transcripts' business; these are
// what only the widgets decide: the fixed size against any resize, places on the whole control, the
// order things lie in, colours and fonts.
TEST(Layout, AGrabShowsKeyElementsAtTheirTwipPlaces) {
    WidgetControl c;
    c.find<QPushButton>("ShowHide")->click();
    const QSize fixed(c.px(15165), c.py(6240));
    c.widget->resize(200, 100);
    EXPECT_EQ(c.widget->minimumSize(), fixed);
    EXPECT_EQ(c.widget->maximumSize(), fixed);
    EXPECT_EQ(c.widget->grab().size(), fixed);

    // Positions add up through the containers: frame, group, tab page below the row of tabs.
    struct Case {
        const char* name;
        int left, top, width, height; // twips on the control
    };
    const Case cases[] = {
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
        EXPECT_EQ(c.widget->childAt(c.onControl(name).center()), c.find(name));
    }
}

TEST(Layout, FieldsLookAsTheirStyleSaysAndEveryToolHasAnIcon) {
    // The programs' style: the toolbars' extension buttons make their pictures when first drawn.
    const QString appStyle = QApplication::style()->name();
    QApplication::setStyle(new FirstUseToolbarExtensionStyle);
    WidgetControl c;
    auto* path = c.find<QLineEdit>("FilePath");
    auto* hint = c.find<QPlainTextEdit>("GarTripToolTipText");
    ASSERT_TRUE(path && hint);
    EXPECT_EQ(path->palette().color(QPalette::Base), path->palette().color(QPalette::Button));
    EXPECT_EQ(path->focusPolicy(), Qt::ClickFocus);
    EXPECT_TRUE(path->isReadOnly());
    EXPECT_EQ(hint->palette().color(QPalette::Base), hint->palette().color(QPalette::ToolTipBase));
    EXPECT_TRUE(hint->isReadOnly());
    EXPECT_NE(c.find("KameraShift")->focusPolicy(), Qt::ClickFocus);

    for (const char* toolbar : {"Toolbar1", "Toolbar2"}) {
        for (const ToolButton& button : c.model().get(toolbar).buttons) {
            SCOPED_TRACE(button.key);
            auto* action = c.find(toolbar)->findChild<QAction*>(QString::fromStdString(button.key));
            ASSERT_NE(action, nullptr);
            EXPECT_FALSE(action->icon().pixmap(16).isNull());
            EXPECT_EQ(action->isCheckable(), button.key == "GarTrip Starten");
        }
        auto* extension = c.find(toolbar)->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        ASSERT_NE(extension, nullptr);
        EXPECT_FALSE(extension->icon().pixmap(16).isNull());
    }
    QApplication::setStyle(appStyle);
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
    EXPECT_TRUE(noExif->font().bold() && noExif->autoFillBackground());
    EXPECT_EQ(noExif->palette().color(QPalette::Window), QColor(Qt::red));
    // The label on top must let the bar below show through.
    EXPECT_FALSE(label13->autoFillBackground() || label13->font().bold());

    // The top row of the bar, right of "Kein l", holds no glyph: it shows the bar's own colour.
    QPoint probe = noExif->mapTo(c.widget.get(), QPoint(noExif->width() - 3, 0));
    auto colourAtProbe = [&] { return c.widget->grab().toImage().pixelColor(probe); };
    EXPECT_NE(colourAtProbe(), QColor(Qt::red));
    c.model().setVisible("NoExifAvailable", true);
    EXPECT_EQ(colourAtProbe(), QColor(Qt::red));
}

// Widgets made before the host is first polished (read by the console's driver) are fitted with the
// rest when it is: bold font, caption halves, the field after the caption's first words.
TEST(Layout, WidgetsMadeBeforeThePolishAreFittedWithTheRest) {
    ScriptedPlatform platform;
    VeltoraControl control(platform);
    QWidget host;
    WidgetSurface widgets(control.surface(), &host);
    Element caption = control.surface().get("Label9");
    widgets.readBack(caption);
    auto* label = host.findChild<QLabel*>("Label9");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(host.findChild<QWidget*>("NoExifAvailable"), nullptr);

    host.ensurePolished();
    auto* tail = host.findChild<QLabel*>("Label9Tail");
    QWidget* field = host.findChild<QWidget*>("ShutterSpeedTxt");
    QWidget* bar = host.findChild<QWidget*>("NoExifAvailable");
    ASSERT_TRUE(tail && field && bar);
    EXPECT_EQ(label->text(), "ShutterSpeed: 1/");
    EXPECT_LE(label->x() + label->fontMetrics().horizontalAdvance(label->text()), field->x());
    EXPECT_GE(tail->x(), field->x() + field->width());
    EXPECT_TRUE(bar->font().bold());
}

// A caption with room for a field in its blanks shows its first words before the field and its last
// after it, measured in the font it is drawn in, and keeps its whole text.
TEST(Layout, CaptionsFrameTheirFieldsWithoutRunningUnderThem) {
    struct Case {
        const char *label, *field;
        QString head, tail;
    };
    const Case cases[] = {
        {"BildLabel", "ActPictNum", "Bild", "/"},
        {"Label6", "ExposureTimeTxt", "Exposure Time:", "sec"},
        {"Label9", "ShutterSpeedTxt", "ShutterSpeed: 1/", "sec"},
        {"Label20", "GPSAlt", QString::fromUtf8("Höhe:"), "m"},
        {"Label22", "SubExifPosTxt", "Sub Exif Offset:", "(Hexadezimal)"},
    };
    WidgetControl c;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.label);
        auto* label = c.find<QLabel>(k.label);
        auto* tail = c.find<QLabel>((std::string(k.label) + "Tail").c_str());
        QWidget* field = c.find(k.field);
        ASSERT_TRUE(label && tail && field);
        EXPECT_EQ(label->text(), k.head);
        EXPECT_EQ(tail->text(), k.tail);
        EXPECT_TRUE(label->property("caption").toString().startsWith(k.head));
        EXPECT_LE(label->x() + label->fontMetrics().horizontalAdvance(label->text()), field->x());
        EXPECT_GE(tail->x(), field->x() + field->width());
        EXPECT_EQ(tail->y() + tail->height() / 2, field->y() + field->height() / 2);
    }
}

} // namespace
} // namespace pelmark::test
