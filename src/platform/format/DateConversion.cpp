#include "platform/format/DateConversion.h"

#include "platform/Failure.h"
#include "platform/format/DateText.h"
#include "platform/format/FormatValues.h"
#include "platform/format/LocaleText.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <optional>
#include <vector>

namespace tessaro {
namespace {

using format::Moment;

QString foldedName(QString name)
{
    if (name.endsWith(u'.'))
        name.chop(1);
    return name.toCaseFolded();
}

// Month and weekday names, long and short, of the user's locale and of English (both are
// accepted whatever the locale), folded for comparison. Rebuilt when the locale changes.
struct NameTable {
    QString locale;
    QHash<QString, int> months;
    QSet<QString> weekdays;
};

const NameTable& names()
{
    thread_local NameTable table;
    const QLocale current;
    const QString key = current.name();
    if (table.locale == key)
        return table;
    table = NameTable{key, {}, {}};
    for (const QLocale& locale : {current, QLocale::c()}) {
        for (QLocale::FormatType form : {QLocale::LongFormat, QLocale::ShortFormat}) {
            for (int month = 1; month <= 12; ++month) {
                // The user's locale wins where an English name spells another month.
                for (const QString& name : {locale.monthName(month, form), locale.standaloneMonthName(month, form)}) {
                    if (!table.months.contains(foldedName(name)))
                        table.months.insert(foldedName(name), month);
                }
            }
            for (int day = 1; day <= 7; ++day)
                table.weekdays.insert(foldedName(locale.dayName(day, form)));
        }
    }
    table.months.remove(QString());
    table.weekdays.remove(QString());
    return table;
}

// A text date that names its month: the month, one or two numbers (day and year, in either order)
// and what follows the first "digits:" as its time.
struct NamedMonthDate {
    int month = 0;
    std::vector<QString> numbers;
    QString time;
};

bool isSeparator(QChar c)
{
    return c.isSpace() || c == u',' || c == u'-' || c == u'/' || c == u'.';
}

std::optional<NamedMonthDate> readNamedMonthDate(const QString& text)
{
    NamedMonthDate parts;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i;
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        if (text[i].isDigit()) {
            while (end < text.size() && text[end].isDigit())
                ++end;
            if (end < text.size() && text[end] == u':') {
                parts.time = text.mid(i);
                break;
            }
            parts.numbers.push_back(text.mid(i, end - i));
        } else if (text[i].isLetter()) {
            while (end < text.size() && (text[end].isLetter() || text[end].isMark()))
                ++end;
            const QString word = text.mid(i, end - i).toCaseFolded();
            const int month = names().months.value(word, 0);
            if ((month != 0 && parts.month != 0) || (month == 0 && !names().weekdays.contains(word)))
                return std::nullopt;
            parts.month = month != 0 ? month : parts.month;
        } else {
            return std::nullopt;
        }
        i = end;
    }
    const bool shaped = parts.month != 0 && !parts.numbers.empty() && parts.numbers.size() <= 2;
    return shaped ? std::optional<NamedMonthDate>(parts) : std::nullopt;
}

bool looksLikeYear(const QString& digits)
{
    return digits.size() > 2 || digits.toInt() > 31;
}

std::optional<Moment> namedMonthMoment(const QString& text)
{
    const std::optional<NamedMonthDate> parts = readNamedMonthDate(text);
    if (!parts)
        return std::nullopt;
    const std::vector<QString>& numbers = parts->numbers;
    int day = 1;
    int year = QDate::currentDate().year();
    if (numbers.size() == 2) {
        const bool yearFirst = looksLikeYear(numbers[0]);
        day = numbers[yearFirst ? 1 : 0].toInt();
        year = format::fullYear(numbers[yearFirst ? 0 : 1]);
    } else if (looksLikeYear(numbers[0])) {
        year = format::fullYear(numbers[0]);
    } else {
        day = numbers[0].toInt();
    }
    const QDate date(year, parts->month, day);
    if (!date.isValid())
        return std::nullopt;
    if (parts->time.isEmpty())
        return Moment{date, QTime(0, 0)};
    const std::optional<Moment> time = format::parseDateText(parts->time);
    if (!time || time->date != format::dayZero())
        return std::nullopt;
    return Moment{date, time->time};
}

std::optional<Moment> momentOfText(const QString& text)
{
    if (auto moment = format::parseDateText(text))
        return moment;
    return namedMonthMoment(text.trimmed());
}

} // namespace

QDateTime CDate(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        raiseError(Error::TypeMismatch);
    // Numeric texts are not dates here, although a number is a date serial.
    const std::optional<Moment> moment =
        format::isTextType(value) ? momentOfText(value.toString()) : format::momentOf(value);
    if (!moment || moment->date.year() < 100 || moment->date.year() > 9999)
        raiseError(moment ? Error::Overflow : Error::TypeMismatch);
    return QDateTime(moment->date, moment->time, Qt::UTC);
}

QString GeneralDate(const QDateTime& value)
{
    if (!value.isValid())
        return QString();
    return format::generalDateText(format::momentAt(value.date(), value.time()));
}

} // namespace tessaro
