#include "widget/ToolbarIcons.h"

#include <QIconEngine>
#include <QPointer>
#include <QStyle>
#include <array>

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

// Looks the picture up the first time it is drawn or measured. A standard picture is read from image
// files and decoded when it is made, and a control that is never shown (the console's widgets) would
// pay for that at every start without showing it.
class FirstUseIconEngine : public QIconEngine {
public:
    FirstUseIconEngine(QString themeName, QStyle::StandardPixmap fallback, const QStyle* style)
        : themeName_(std::move(themeName)), fallback_(fallback), style_(style) {}

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
    // Every style has these standard pictures, so with a style there is one to show, and saying so
    // needs no picture yet (a tool button asks while it is laid out).
    bool isNull() override { return made_ || !style_ ? icon().isNull() : false; }
    QIconEngine* clone() const override { return new FirstUseIconEngine(*this); }

private:
    FirstUseIconEngine(const FirstUseIconEngine&) = default;

    const QIcon& icon() {
        if (!made_) {
            made_ = true;
            icon_ = QIcon::fromTheme(themeName_, style_ ? style_->standardIcon(fallback_) : QIcon());
        }
        return icon_;
    }

    QString themeName_;
    QStyle::StandardPixmap fallback_;
    QPointer<const QStyle> style_;
    bool made_ = false;
    QIcon icon_;
};

} // namespace

QIcon toolbarIcon(ElementId toolbar, const std::string& key, const QStyle* style) {
    for (const auto& choice : kIcons) {
        if (toolbar != choice.toolbar || key != choice.key) continue;
        return QIcon(new FirstUseIconEngine(QString::fromLatin1(choice.themeName), choice.fallback, style));
    }
    return style ? style->standardIcon(QStyle::SP_FileIcon) : QIcon();
}

} // namespace pelmark
