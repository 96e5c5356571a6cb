#include "WidgetTestSupport.h"
#include "control/Members.h"
#include "fixtures/JpegExifWriter.h"
#include "support/TempDir.h"
#include "widget/VariantConversion.h"

#include <QMetaMethod>
#include <QPluginLoader>
#include <QSettings>
#include <QSignalSpy>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>
#include <memory>

namespace pelmark::test {
namespace {

TEST(MetaObject, ListsThePublicMembersInSlotOrder) {
    const QMetaObject& meta = Veltora::staticMetaObject;
    QStringList properties;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        properties << meta.property(i).name();
        EXPECT_EQ(meta.property(i).metaType(), QMetaType::fromType<QVariant>());
        EXPECT_TRUE(meta.property(i).isWritable());
    }
    EXPECT_EQ(properties, QStringList({"Anzahl", "GARTripPath"}));

    // The invokable methods are the member table's methods and read-only properties, in slot order.
    QStringList methods, expected;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        if (meta.method(i).methodType() != QMetaMethod::Signal) methods << meta.method(i).name();
    for (const Member& member : members())
        if (member.kind == MemberKind::Method || member.kind == MemberKind::ReadOnlyProperty)
            expected << QString::fromLatin1(member.name.data(), static_cast<qsizetype>(member.name.size()));
    EXPECT_EQ(methods, expected);
    EXPECT_EQ(meta.method(meta.indexOfMethod("BinarWert(double,QVariant&)")).name(), "BinarWert");
}

// Members called by name write back their reference arguments; a property change is announced once,
// and only for the property that changed.
TEST(MetaObject, MembersCalledByNameWriteBackAndChangesAreAnnounced) {
    WidgetControl c;
    QSignalSpy anzahl(c.widget.get(), &Veltora::AnzahlChanged);
    QSignalSpy gartrip(c.widget.get(), &Veltora::GARTripPathChanged);
    TempDir dir;
    std::string photo = dir.write("trip/x.jpg", fixtures::JpegExifWriter().withPicture().bytes());

    QVariant path = QString::fromStdString(photo);
    ASSERT_TRUE(QMetaObject::invokeMethod(c.widget.get(), "OpenFolder", Qt::DirectConnection,
                                          Q_ARG(QVariant&, path)));
    EXPECT_EQ(path.toString().toStdString(), dir.file("trip") + "/");

    QVariant bytes = QString::fromLatin1("\x0a\x00", 2);
    QVariant order = Veltora::missing();
    QVariant result;
    ASSERT_TRUE(QMetaObject::invokeMethod(c.widget.get(), "Wert", Qt::DirectConnection,
                                          Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant&, bytes),
                                          Q_ARG(QVariant&, order)));
    EXPECT_EQ(result.toDouble(), 10.0);

    EXPECT_EQ(anzahl.count() + gartrip.count(), 0);
    c.widget->setProperty("Anzahl", 41);
    c.widget->setProperty("Anzahl", 41);
    EXPECT_EQ(c.widget->property("Anzahl").toDouble(), 41.0);
    EXPECT_EQ(anzahl.count(), 1);
    c.widget->setProperty("GARTripPath", "/usr/bin/gartrip");
    EXPECT_EQ(gartrip.count(), 1);
    EXPECT_EQ(anzahl.count(), 1);
    EXPECT_FALSE(Veltora(c.platform).property("Anzahl").isValid()) << "empty before any track";
    // A stored empty path stays a text for a Qt host, not an invalid value.
    QVariant stored =
        WidgetControl(WidgetControl::Settings{{"Options/GARTripPath", ""}}).widget->property("GARTripPath");
    EXPECT_EQ(stored.typeId(), QMetaType::QString);
}

TEST(MetaObject, VariantsCrossBetweenQtAndTheCore) {
    struct Case {
        const char* name;
        QVariant in;
        Variant expected;
    };
    const Case cases[] = {
        {"invalid is empty", QVariant(), Variant()},
        {"missing marker", Veltora::missing(), Variant::missing()},
        {"int", QVariant(7), Variant(7)},
        {"double", QVariant(2.5), Variant(2.5)},
        {"bool", QVariant(true), Variant(true)},
        {"text one byte per character", QVariant(QString::fromUtf8("48°")), Variant(std::string("48\xB0"))},
        {"byte array keeps raw bytes", QVariant(QByteArray("\xff\x00", 2)),
         Variant(std::string("\xff\x00", 2))},
        {"unsigned long long", QVariant(qulonglong(4294967295ULL)), Variant(4294967295.0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Variant core = fromQVariant(c.in);
        EXPECT_TRUE(core == c.expected);
        // And back: what the core holds comes out as Qt's natural type for it.
        if (c.expected.isText()) {
            EXPECT_EQ(toQVariant(core).toString().toLatin1().toStdString(), c.expected.asText());
        } else {
            EXPECT_TRUE(fromQVariant(toQVariant(core)) == c.expected);
        }
    }
}

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
