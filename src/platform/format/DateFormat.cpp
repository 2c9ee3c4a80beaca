#include "platform/format/DateFormat.h"

#include "platform/format/LocaleText.h"
#include "platform/format/PatternText.h"

#include <QLocale>
#include <vector>

namespace tessaro::format {
namespace {

enum class DateToken {
    Literal,
    Day, Day2, DayShortName, DayLongName, ShortDate, LongDate, // d dd ddd dddd ddddd dddddd
    Weekday, Week,                                             // w ww
    Month, Month2, MonthShortName, MonthLongName,              // m mm mmm mmmm
    Quarter, DayOfYear, Year2, Year4,                          // q y yy yyyy
    Hour, Hour2, Minute, Minute2, Second, Second2,             // h hh n nn s ss (and m mm as minutes)
    LongTime, GeneralDate,                                     // ttttt c
    AmPm, LocaleAmPm,                                          // AM/PM am/pm A/P a/p, AMPM
    DateSeparator, TimeSeparator,                              // / :
};

struct DateItem {
    DateToken token = DateToken::Literal;
    QString text;   ///< Literal: its text; AmPm: the morning designator as written
    QString after;  ///< AmPm: the afternoon designator as written
};

struct DatePattern {
    std::vector<DateItem> items;
    bool twelveHour = false; ///< an AM/PM token makes hours run 1 to 12
};

struct RunToken {
    int length;
    DateToken token;
};

// The tokens of each letter, longest first.
std::vector<RunToken> tokensOf(QChar letter)
{
    using T = DateToken;
    switch (letter.toLower().unicode()) {
    case u'd': return {{6, T::LongDate}, {5, T::ShortDate}, {4, T::DayLongName}, {3, T::DayShortName}, {2, T::Day2}, {1, T::Day}};
    case u'm': return {{4, T::MonthLongName}, {3, T::MonthShortName}, {2, T::Month2}, {1, T::Month}};
    case u'y': return {{4, T::Year4}, {2, T::Year2}, {1, T::DayOfYear}};
    case u'w': return {{2, T::Week}, {1, T::Weekday}};
    case u'h': return {{2, T::Hour2}, {1, T::Hour}};
    case u'n': return {{2, T::Minute2}, {1, T::Minute}};
    case u's': return {{2, T::Second2}, {1, T::Second}};
    case u'q': return {{1, T::Quarter}};
    case u'c': return {{1, T::GeneralDate}};
    case u't': return {{5, T::LongTime}};
    default: return {};
    }
}

bool startsWithNoCase(const QString& pattern, int pos, QLatin1String word)
{
    return QStringView(pattern).mid(pos, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

// AM/PM, A/P (keeping the case they are written in) and AMPM; false when none starts at `pos`.
bool takeDesignator(const QString& pattern, int& pos, DatePattern& out)
{
    if (startsWithNoCase(pattern, pos, QLatin1String("am/pm"))) {
        out.items.push_back({DateToken::AmPm, pattern.mid(pos, 2), pattern.mid(pos + 3, 2)});
        pos += 5;
    } else if (startsWithNoCase(pattern, pos, QLatin1String("a/p"))) {
        out.items.push_back({DateToken::AmPm, pattern.mid(pos, 1), pattern.mid(pos + 2, 1)});
        pos += 3;
    } else if (startsWithNoCase(pattern, pos, QLatin1String("ampm"))) {
        out.items.push_back({DateToken::LocaleAmPm, {}, {}});
        pos += 4;
    } else {
        return false;
    }
    out.twelveHour = true;
    return true;
}

// A run of one letter, split into its tokens; false when the letter has none or the run is too
// short for any (a "t" or "tt" stays literal).
bool takeLetterRun(const QString& pattern, int& pos, DatePattern& out)
{
    const std::vector<RunToken> tokens = tokensOf(pattern[pos]);
    int end = pos;
    while (end < pattern.size() && pattern[end].toLower() == pattern[pos].toLower())
        ++end;
    if (tokens.empty() || end - pos < tokens.back().length)
        return false;
    while (end - pos >= tokens.back().length) {
        for (const RunToken& candidate : tokens) {
            if (end - pos >= candidate.length) {
                out.items.push_back({candidate.token, {}, {}});
                pos += candidate.length;
                break;
            }
        }
    }
    return true;
}

bool isFieldToken(DateToken token)
{
    return token != DateToken::Literal && token != DateToken::DateSeparator && token != DateToken::TimeSeparator;
}

// "m"/"mm" next to an hour or a seconds field mean minutes.
void settleMinutes(std::vector<DateItem>& items)
{
    const auto isHour = [](DateToken t) { return t == DateToken::Hour || t == DateToken::Hour2; };
    const auto isSecond = [](DateToken t) { return t == DateToken::Second || t == DateToken::Second2; };
    DateToken previous = DateToken::Literal;
    for (size_t i = 0; i < items.size(); ++i) {
        DateItem& item = items[i];
        if (!isFieldToken(item.token))
            continue;
        if (item.token == DateToken::Month || item.token == DateToken::Month2) {
            size_t next = i + 1;
            while (next < items.size() && !isFieldToken(items[next].token))
                ++next;
            const bool beforeSeconds = next < items.size() && isSecond(items[next].token);
            if (isHour(previous) || beforeSeconds)
                item.token = item.token == DateToken::Month ? DateToken::Minute : DateToken::Minute2;
        }
        previous = item.token;
    }
}

void appendLiteral(DatePattern& out, const QString& text)
{
    if (!out.items.empty() && out.items.back().token == DateToken::Literal)
        out.items.back().text += text;
    else
        out.items.push_back({DateToken::Literal, text, {}});
}

// Reads a date pattern. Letters are matched in any case; a run longer than its longest token is
// split greedily ("yyy" is "yy" then "y"). "m" and "mm" right after an hour token or right before
// a seconds token (literals and separators between do not count) are minutes. Quoted texts,
// '\' escapes and any other character are literal.
DatePattern parseDatePattern(const QString& pattern)
{
    DatePattern out;
    for (int pos = 0; pos < pattern.size();) {
        QString literal;
        if (takeQuotedOrEscaped(pattern, pos, literal)) {
            appendLiteral(out, literal);
        } else if (pattern[pos] == u'/' || pattern[pos] == u':') {
            out.items.push_back({pattern[pos] == u'/' ? DateToken::DateSeparator : DateToken::TimeSeparator, {}, {}});
            ++pos;
        } else if (!takeDesignator(pattern, pos, out) && !takeLetterRun(pattern, pos, out)) {
            appendLiteral(out, pattern.mid(pos++, 1));
        }
    }
    settleMinutes(out.items);
    return out;
}

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

// The text of one item of a pattern for `moment`: a literal as written, a field as it shows.
QString fieldText(const DateItem& item, const Moment& moment, bool twelveHour)
{
    const QLocale locale;
    const QDate& date = moment.date;
    const QTime& time = moment.time;
    const int hour = twelveHour ? (time.hour() + 11) % 12 + 1 : time.hour();
    const bool morning = time.hour() < 12;
    switch (item.token) {
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
    case DateToken::Year4: return QStringLiteral("%1").arg(date.year(), kYearDigits, 10, QChar(u'0'));
    case DateToken::Hour: return QString::number(hour);
    case DateToken::Hour2: return twoDigits(hour);
    case DateToken::Minute: return QString::number(time.minute());
    case DateToken::Minute2: return twoDigits(time.minute());
    case DateToken::Second: return QString::number(time.second());
    case DateToken::Second2: return twoDigits(time.second());
    case DateToken::LongTime: return longTimeText(time);
    case DateToken::AmPm: return morning ? item.text : item.after;
    case DateToken::LocaleAmPm: return withPlainSpaces(morning ? locale.amText() : locale.pmText());
    case DateToken::GeneralDate: return generalDateText(moment);
    case DateToken::DateSeparator: return dateSeparator();
    case DateToken::TimeSeparator: return timeSeparator();
    case DateToken::Literal: break;
    }
    return item.text;
}

} // namespace

QString formatMoment(const Moment& moment, const QString& pattern)
{
    const DatePattern parsed = parseDatePattern(pattern);
    QString out;
    for (const DateItem& item : parsed.items)
        out += fieldText(item, moment, parsed.twelveHour);
    return out;
}

} // namespace tessaro::format
