#include "designer/VeltoraPlugin.h"

#include "widget/Veltora.h"

#include <QIcon>

namespace pelmark {

QString VeltoraPlugin::name() const {
    return QStringLiteral("pelmark::Veltora");
}

QString VeltoraPlugin::group() const {
    return QStringLiteral("Pelmark");
}

QString VeltoraPlugin::toolTip() const {
    return QStringLiteral("Photo geotagging control");
}

QString VeltoraPlugin::whatsThis() const {
    return QStringLiteral("Shows a photo's EXIF data, steps through a folder of photos and matches them "
                          "to a GPS track log.");
}

// In angle brackets, so that form code includes the installed header: <Pelmark/Veltora.h>.
QString VeltoraPlugin::includeFile() const {
    return QStringLiteral("<Pelmark/Veltora.h>");
}

QIcon VeltoraPlugin::icon() const {
    return QIcon::fromTheme(QStringLiteral("camera-photo"));
}

bool VeltoraPlugin::isContainer() const {
    return false;
}

QWidget* VeltoraPlugin::createWidget(QWidget* parent) {
    return new Veltora(parent);
}

void VeltoraPlugin::initialize(QDesignerFormEditorInterface*) {
    initialized_ = true;
}

QString VeltoraPlugin::domXml() const {
    return QStringLiteral(R"(<ui language="c++">
 <widget class="pelmark::Veltora" name="veltora"/>
</ui>
)");
}

} // namespace pelmark
