#include "widget/ToolbarIcons.h"

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

} // namespace

QIcon toolbarIcon(ElementId toolbar, const std::string& key, const QStyle* style) {
    for (const auto& choice : kIcons) {
        if (toolbar != choice.toolbar || key != choice.key) continue;
        QIcon fallback = style ? style->standardIcon(choice.fallback) : QIcon();
        return QIcon::fromTheme(choice.themeName, fallback);
    }
    return style ? style->standardIcon(QStyle::SP_FileIcon) : QIcon();
}

} // namespace pelmark
