#pragma once

#include "surface/ElementId.h"

#include <QIcon>
#include <QProxyStyle>
#include <string>

class QStyle;

namespace pelmark {

// The picture a toolbar button shows, chosen by its key: from the desktop's icon theme where it has
// one, else from the style's standard pictures, so a button never shows nothing. The picture is looked
// up when it is first drawn or measured.
QIcon toolbarIcon(ElementId toolbar, const std::string& key, const QStyle* style);

// The application's default style, except that the picture of a toolbar's extension button is made
// when first drawn. Qt's toolbar makes that picture as it is built, which reads its image files and
// loads every image-format plugin (about a twentieth of a console's start with widgets); the button
// shows only when a toolbar is too short for its buttons, and this control's are not. The programs
// that hold the control set it (`QApplication::setStyle`); a host need not.
class FirstUseToolbarExtensionStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace pelmark
