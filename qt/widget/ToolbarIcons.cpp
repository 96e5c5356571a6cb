#include "widget/ToolbarIcons.h"

#include <QIconEngine>
#include <QPointer>
#include <QStyle>
#include <array>
#include <functional>

namespace pelmark {

namespace {

struct IconChoice {
    ElementId toolbar;
    const char* key;
    const char* themeName;
    QStyle::StandardPixmap fallback;
};

constexpr std::array kIcons{
    IconChoice{ElementId::Toolbar1, "Load", "document-open", QStyle::SP_DialogOpenButton},
    IconChoice{ElementId::Toolbar1, "Open Folder", "folder-open", QStyle::SP_DirOpenIcon},
    IconChoice{ElementId::Toolbar2, "Load", "document-open", QStyle::SP_DialogOpenButton},
    IconChoice{ElementId::Toolbar2, "GarTrip Starten", "media-playback-start", QStyle::SP_MediaPlay},
    IconChoice{ElementId::Toolbar2, "Options", "preferences-system", QStyle::SP_FileDialogDetailedView},
};

// Makes the picture the first time it is drawn or measured. A standard picture is read from image
// files and decoded when it is made, and a control that is never shown (the console's widgets) would
// pay for that at every start without showing it.
class FirstUseIconEngine : public QIconEngine {
public:
    // `surelyAPicture`: `make` always gives a picture, so saying there is one needs no picture yet (a
    // tool button asks while it is laid out).
    FirstUseIconEngine(std::function<QIcon()> make, bool surelyAPicture)
        : make_(std::move(make)), surelyAPicture_(surelyAPicture) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    bool isNull() override { return made_ || !surelyAPicture_ ? icon().isNull() : false; }
    QIconEngine* clone() const override { return new FirstUseIconEngine(*this); }

private:
    FirstUseIconEngine(const FirstUseIconEngine&) = default;

    const QIcon& icon() {
        if (!made_) {
            made_ = true;
            icon_ = make_();
        }
        return icon_;
    }

    std::function<QIcon()> make_;
    bool surelyAPicture_;
    bool made_ = false;
    QIcon icon_;
};

} // namespace

QIcon toolbarIcon(ElementId toolbar, const std::string& key, const QStyle* style) {
    for (const auto& choice : kIcons) {
        if (toolbar != choice.toolbar || key != choice.key) continue;
        // Every style has the standard pictures, so with a style there is always one to show.
        return QIcon(new FirstUseIconEngine(
            [theme = QString::fromLatin1(choice.themeName), fallback = choice.fallback,
             from = QPointer<const QStyle>(style)] {
                return QIcon::fromTheme(theme, from ? from->standardIcon(fallback) : QIcon());
            },
            style != nullptr));
    }
    return style ? style->standardIcon(QStyle::SP_FileIcon) : QIcon();
}

QIcon FirstUseToolbarExtensionStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                                  const QWidget* widget) const {
    if (standardIcon != SP_ToolBarHorizontalExtensionButton &&
        standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    return QIcon(
        new FirstUseIconEngine([base = QPointer<QStyle>(baseStyle()),
                                standardIcon] { return base ? base->standardIcon(standardIcon) : QIcon(); },
                               true));
}

} // namespace pelmark
