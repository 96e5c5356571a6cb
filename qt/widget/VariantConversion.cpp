#include "widget/VariantConversion.h"

#include "qtplatform/Latin1Text.h"

namespace pelmark {

QVariant toQVariant(const Variant& value) {
    switch (value.type()) {
    case Variant::Type::Empty:
        return {};
    case Variant::Type::Missing:
        return QVariant::fromValue(MissingArgument{});
    case Variant::Type::Number:
        return value.asNumber();
    case Variant::Type::Text:
        return toQt(value.asText());
    case Variant::Type::Boolean:
        return value.asBoolean();
    }
    return {};
}

Variant fromQVariant(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return {};
    if (value.metaType() == QMetaType::fromType<MissingArgument>()) return Variant::missing();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return value.toDouble();
    case QMetaType::QByteArray:
        return value.toByteArray().toStdString();
    case QMetaType::QString:
        return fromQt(value.toString());
    default:
        break;
    }
    if (value.canConvert<QString>()) return fromQt(value.toString());
    return {};
}

} // namespace pelmark
