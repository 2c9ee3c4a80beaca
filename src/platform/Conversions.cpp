#include "platform/Conversions.h"

#include "platform/Failure.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace tessaro {
namespace {

bool isText(const QVariant& value)
{
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray
        || value.typeId() == QMetaType::QChar;
}

// Numeric text in the user's locale first; the invariant form (a '.' decimal point) is also
// accepted, as the classic runtime accepts both where they do not clash.
double textToDouble(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double number = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        number = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        raiseError(Error::TypeMismatch);
    return number;
}

} // namespace

double CDbl(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        raiseError(Error::TypeMismatch);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1.0 : 0.0;
    if (isText(value))
        return textToDouble(value.toString());
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok)
        raiseError(Error::TypeMismatch);
    return number;
}

bool CBool(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (isText(value)) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return CDbl(value) != 0.0;
}

qint32 CLng(const QVariant& value)
{
    const double number = std::nearbyint(CDbl(value)); // the default rounding mode is halves to even
    if (!std::isfinite(number) || number < std::numeric_limits<qint32>::min()
        || number > std::numeric_limits<qint32>::max())
        raiseError(Error::Overflow);
    return static_cast<qint32>(number);
}

float CSng(const QVariant& value)
{
    const double number = CDbl(value);
    if (std::isfinite(number) && std::fabs(number) > std::numeric_limits<float>::max())
        raiseError(Error::Overflow);
    return static_cast<float>(number);
}

} // namespace tessaro
