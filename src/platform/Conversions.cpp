#include "platform/Conversions.h"

#include "platform/Failure.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace tessaro {
namespace {

bool isText(const QVariant& value)
{
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray
        || value.typeId() == QMetaType::QChar;
}

// Whether `text`, which the locale refused, is a well-formed number too large for a double: the
// classic conversion calls that an overflow rather than a type mismatch.
bool isTooLarge(const QString& text, const QLocale& locale)
{
    QString plain = text;
    plain.remove(locale.groupSeparator()).replace(locale.decimalPoint(), QStringLiteral("."));
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!number.match(plain).hasMatch())
        return false;
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    return !ok || !std::isfinite(value);
}

// Text is read in the user's locale only, as the classic conversion does: its decimal and group
// separators, a sign and an exponent. "nan" and "inf" are not numbers.
double textToDouble(const QString& text)
{
    const QString trimmed = text.trimmed();
    const QLocale locale;
    bool ok = false;
    const double number = locale.toDouble(trimmed, &ok);
    if (ok && std::isfinite(number))
        return number;
    if (isTooLarge(trimmed, locale))
        raiseError(Error::Overflow);
    raiseError(Error::TypeMismatch);
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
