#include "support/TempDir.h"

#include <QPluginLoader>
#include <QSettings>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>
#include <memory>

namespace pelmark::test {
namespace {

TEST(DesignerPlugin, LoadsAndCreatesTheControl) {
    TempDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(settings.folder()));

    QPluginLoader loader(QStringLiteral(PELMARK_DESIGNER_PLUGIN));
    QObject* instance = loader.instance();
    ASSERT_NE(instance, nullptr) << loader.errorString().toStdString();
    auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(instance);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->name(), "pelmark::Veltora");
    EXPECT_TRUE(plugin->domXml().contains("pelmark::Veltora"));

    std::unique_ptr<QWidget> widget(plugin->createWidget(nullptr));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(QByteArray(widget->metaObject()->className()), "pelmark::Veltora");
}

} // namespace
} // namespace pelmark::test
