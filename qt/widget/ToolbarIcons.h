#pragma once

#include "surface/ElementId.h"

#include <QIcon>
#include <string>

class QStyle;

namespace pelmark {

// The picture a toolbar button shows, chosen by its key: from the desktop's icon theme where it has
// one, else from the style's standard pictures, so a button never shows nothing. The picture is looked
// up when it is first drawn or measured.
QIcon toolbarIcon(ElementId toolbar, const std::string& key, const QStyle* style);

} // namespace pelmark
