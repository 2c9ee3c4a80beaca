#include "platform/format/LocaleText.h"

#include <QLocale>

namespace tessaro::format {

namespace {

constexpr char16_t kNoBreakSpace = 0x00A0;
constexpr char16_t kNarrowNoBreakSpace = 0x202F;

bool isPatternLetter(QChar c)
{
    return c.isLetter() && c.unicode() < 128;
}

// Rewrites the runs of `letter` outside quotes with `rewrite`, in a QLocale pattern.
template <class Rewrite>
QString rewriteRuns(const QString& pattern, QChar letter, Rewrite rewrite)
{
    QString result;
    bool quoted = false;
    for (int i = 0; i < pattern.size();) {
        if (pattern[i] == u'\'')
            quoted = !quoted;
        if (quoted || pattern[i] != letter) {
            result.append(pattern[i++]);
            continue;
        }
        int end = i;
        while (end < pattern.size() && pattern[end] == letter)
            ++end;
        rewrite(result, end - i);
        i = end;
    }
    return result;
}

// The first run of non-letters after the first field of a pattern: its separator.
QString separatorOf(const QString& pattern, const QString& fallback)
{
    int i = 0;
    while (i < pattern.size() && isPatternLetter(pattern[i]))
        ++i;
    int end = i;
    while (end < pattern.size() && !isPatternLetter(pattern[end]) && pattern[end] != u'\'')
        ++end;
    const QString separator = pattern.mid(i, end - i).trimmed();
    return separator.isEmpty() ? fallback : separator;
}

// The locale's long time pattern without its time zone ("t"), and the blanks in front of it.
QString longTimePattern()
{
    const QString pattern = rewriteRuns(QLocale().timeFormat(QLocale::LongFormat), u't', [](QString& out, int) {
        while (out.endsWith(u' ') || out.endsWith(QChar(kNoBreakSpace)) || out.endsWith(QChar(kNarrowNoBreakSpace)))
            out.chop(1);
    });
    return pattern.trimmed();
}

} // namespace

QString withPlainSpaces(QString text)
{
    for (QChar& c : text) {
        if (c == kNoBreakSpace || c == kNarrowNoBreakSpace)
            c = u' ';
    }
    return text;
}

QString groupSeparator()
{
    return withPlainSpaces(QLocale().groupSeparator());
}

QString shortDatePattern()
{
    const QString pattern = QLocale().dateFormat(QLocale::ShortFormat);
    return rewriteRuns(pattern, u'y', [](QString& out, int) { out += QLatin1String("yyyy"); });
}

QString dateSeparator()
{
    return separatorOf(QLocale().dateFormat(QLocale::ShortFormat), QStringLiteral("/"));
}

QString timeSeparator()
{
    return separatorOf(QLocale().timeFormat(QLocale::LongFormat), QStringLiteral(":"));
}

QString shortDateText(const QDate& date)
{
    return withPlainSpaces(QLocale().toString(date, shortDatePattern()));
}

QString longDateText(const QDate& date)
{
    return withPlainSpaces(QLocale().toString(date, QLocale::LongFormat));
}

QString longTimeText(const QTime& time)
{
    return withPlainSpaces(QLocale().toString(time, longTimePattern()));
}

QString generalDateText(const Moment& moment)
{
    if (moment.date == dayZero())
        return longTimeText(moment.time);
    if (moment.time == QTime(0, 0))
        return shortDateText(moment.date);
    return shortDateText(moment.date) + u' ' + longTimeText(moment.time);
}

} // namespace tessaro::format
