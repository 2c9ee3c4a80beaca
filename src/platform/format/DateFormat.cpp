#include "platform/format/DateFormat.h"
#include "platform/format/LocaleText.h"

#include "platform/format/DatePattern.h"
#include "platform/format/LocaleDates.h"

#include <QLocale>

namespace tessaro::format {
namespace {

// "yyyy" shows at least this many digits, as the short date does.
constexpr int kYearDigits = 4;

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
}

// 1 for Sunday to 7 for Saturday.
int sundayWeekday(const QDate& date)
{
    return date.dayOfWeek() % 7 + 1;
}

// Weeks run Sunday to Saturday; the one holding 1 January is week 1.
int weekOfYear(const QDate& date)
{
    const int firstWeekday = sundayWeekday(QDate(date.year(), 1, 1));
    return (date.dayOfYear() - 1 + firstWeekday - 1) / 7 + 1;
}

QString dateField(DateToken token, const QDate& date)
{
    const QLocale locale;
    switch (token) {
    case DateToken::Day: return QString::number(date.day());
    case DateToken::Day2: return twoDigits(date.day());
    case DateToken::DayShortName: return withPlainSpaces(locale.dayName(date.dayOfWeek(), QLocale::ShortFormat));
    case DateToken::DayLongName: return withPlainSpaces(locale.dayName(date.dayOfWeek(), QLocale::LongFormat));
    case DateToken::ShortDate: return shortDateText(date);
    case DateToken::LongDate: return longDateText(date);
    case DateToken::Weekday: return QString::number(sundayWeekday(date));
    case DateToken::Week: return QString::number(weekOfYear(date));
    case DateToken::Month: return QString::number(date.month());
    case DateToken::Month2: return twoDigits(date.month());
    case DateToken::MonthShortName: return withPlainSpaces(locale.monthName(date.month(), QLocale::ShortFormat));
    case DateToken::MonthLongName: return withPlainSpaces(locale.monthName(date.month(), QLocale::LongFormat));
    case DateToken::Quarter: return QString::number((date.month() - 1) / 3 + 1);
    case DateToken::DayOfYear: return QString::number(date.dayOfYear());
    case DateToken::Year2: return twoDigits(date.year() % 100);
    default: return QStringLiteral("%1").arg(date.year(), kYearDigits, 10, QChar(u'0'));
    }
}

QString timeField(const DateItem& item, const QTime& time, bool twelveHour)
{
    const int hour = twelveHour ? (time.hour() + 11) % 12 + 1 : time.hour();
    const bool morning = time.hour() < 12;
    switch (item.token) {
    case DateToken::Hour: return QString::number(hour);
    case DateToken::Hour2: return twoDigits(hour);
    case DateToken::Minute: return QString::number(time.minute());
    case DateToken::Minute2: return twoDigits(time.minute());
    case DateToken::Second: return QString::number(time.second());
    case DateToken::Second2: return twoDigits(time.second());
    case DateToken::LongTime: return longTimeText(time);
    case DateToken::AmPm: return morning ? item.text : item.after;
    default: return withPlainSpaces(morning ? QLocale().amText() : QLocale().pmText());
    }
}

bool isTimeToken(DateToken token)
{
    switch (token) {
    case DateToken::Hour: case DateToken::Hour2: case DateToken::Minute: case DateToken::Minute2:
    case DateToken::Second: case DateToken::Second2: case DateToken::LongTime: case DateToken::AmPm:
    case DateToken::LocaleAmPm:
        return true;
    default:
        return false;
    }
}

} // namespace

QString formatMoment(const Moment& moment, const QString& pattern)
{
    const DatePattern parsed = parseDatePattern(pattern);
    QString out;
    for (const DateItem& item : parsed.items) {
        if (item.token == DateToken::Literal)
            out += item.text;
        else if (item.token == DateToken::DateSeparator)
            out += dateSeparator();
        else if (item.token == DateToken::TimeSeparator)
            out += timeSeparator();
        else if (item.token == DateToken::GeneralDate)
            out += generalDateText(moment);
        else if (isTimeToken(item.token))
            out += timeField(item, moment.time, parsed.twelveHour);
        else
            out += dateField(item.token, moment.date);
    }
    return out;
}

} // namespace tessaro::format
