#include "platform/format/FormatValues.h"

#include "platform/format/Conversions.h"
#include "platform/format/DateText.h"

#include <QDateTime>
#include <QLocale>
#include <cmath>

namespace tessaro::format {
namespace {

bool isDateType(const QVariant& value)
{
    const int type = value.typeId();
    return type == QMetaType::QDate || type == QMetaType::QDateTime || type == QMetaType::QTime;
}

std::optional<DecimalNumber> finiteNumber(double value, int significant)
{
    if (!std::isfinite(value))
        return std::nullopt;
    return DecimalNumber::fromDouble(value, significant);
}

// The invariant form first ('.' decimal point, read exactly, as the databases send NUMERIC
// values), then the user's locale (read as a double). Blanks around it are ignored.
std::optional<DecimalNumber> numberFromText(const QString& text)
{
    if (auto exact = DecimalNumber::fromPlainText(text))
        return exact;
    const std::optional<double> value = numberInText(text);
    return value ? finiteNumber(*value, 15) : std::nullopt;
}

// Nothing for an invalid date or time, which has no value to show.
std::optional<Moment> momentOfDateType(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate: {
        const QDate date = value.toDate();
        return date.isValid() ? std::optional<Moment>(Moment{date, QTime(0, 0)}) : std::nullopt;
    }
    case QMetaType::QTime: {
        const QTime time = value.toTime();
        return time.isValid() ? std::optional<Moment>(momentAt(dayZero(), time)) : std::nullopt;
    }
    default: {
        const QDateTime moment = value.toDateTime();
        return moment.isValid() ? std::optional<Moment>(momentAt(moment.date(), moment.time())) : std::nullopt;
    }
    }
}

} // namespace

bool isTextType(const QVariant& value)
{
    const int type = value.typeId();
    return type == QMetaType::QString || type == QMetaType::QByteArray || type == QMetaType::QChar;
}

bool isWholeNumberType(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

std::optional<DecimalNumber> numberOf(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    if (value.typeId() == QMetaType::Bool)
        return DecimalNumber::fromInteger(value.toBool() ? -1 : 0);
    if (value.typeId() == QMetaType::Float)
        return finiteNumber(value.toFloat(), 7);
    if (value.typeId() == QMetaType::ULongLong)
        return DecimalNumber::fromPlainText(QString::number(value.toULongLong()));
    if (isWholeNumberType(value))
        return DecimalNumber::fromInteger(value.toLongLong());
    if (isTextType(value))
        return numberFromText(value.toString());
    if (isDateType(value)) {
        const std::optional<Moment> moment = momentOfDateType(value);
        return moment ? std::optional<DecimalNumber>(DecimalNumber::fromDouble(dateSerial(*moment), 15)) : std::nullopt;
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? finiteNumber(number, 15) : std::nullopt;
}

std::optional<Moment> momentOf(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    if (isDateType(value))
        return momentOfDateType(value);
    if (isTextType(value)) {
        if (auto moment = parseDateText(value.toString()))
            return moment;
    }
    const std::optional<DecimalNumber> number = numberOf(value);
    if (!number)
        return std::nullopt;
    return momentFromSerial(number->toDouble());
}

} // namespace tessaro::format
