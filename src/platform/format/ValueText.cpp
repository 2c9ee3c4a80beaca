#include "platform/format/ValueText.h"

#include "platform/Failure.h"
#include "platform/format/FormatValues.h"
#include "platform/format/LocaleText.h"
#include "platform/format/NumberText.h"

#include <cmath>

namespace tessaro {
namespace {

QString floatingText(double value, int significant)
{
    if (!std::isfinite(value))
        return QString::number(value);
    return format::generalNumberText(format::DecimalNumber::fromDouble(value, significant), significant);
}

} // namespace

QString CStr(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
        return floatingText(value.toDouble(), 15);
    case QMetaType::Float:
        return floatingText(value.toFloat(), 7);
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QDate:
    case QMetaType::QDateTime:
    case QMetaType::QTime:
    {
        const std::optional<format::Moment> moment = format::momentOf(value);
        return moment ? format::generalDateText(*moment) : QString();
    }
    default:
        break;
    }
    if (format::isWholeNumberType(value))
        return value.typeId() == QMetaType::ULongLong ? QString::number(value.toULongLong())
                                                      : QString::number(value.toLongLong());
    if (!value.canConvert<QString>())
        raiseError(Error::TypeMismatch);
    return value.toString();
}

} // namespace tessaro
