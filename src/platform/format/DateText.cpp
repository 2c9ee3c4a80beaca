#include "platform/format/DateText.h"

#include "platform/format/LocaleText.h"

#include <QLocale>
#include <QRegularExpression>

namespace tessaro::format {
namespace {

const QString timePattern = QStringLiteral(R"((\d{1,2}):(\d{2})(?::(\d{2})(?:[.,](\d+))?)?(?:\s*([^\d\s]+))?)");

bool isDesignator(const QString& text, const QString& english, const QString& local)
{
    return text.compare(english, Qt::CaseInsensitive) == 0 || text.compare(local, Qt::CaseInsensitive) == 0;
}

// Captures first..first+4 of `match` are hours, minutes, seconds, fraction, designator.
std::optional<QTime> timeFromCaptures(const QRegularExpressionMatch& match, int first)
{
    int hour = match.captured(first).toInt();
    const QString designator = match.captured(first + 4);
    if (!designator.isEmpty()) {
        const QLocale locale;
        const bool am = isDesignator(designator, QStringLiteral("AM"), locale.amText());
        const bool pm = isDesignator(designator, QStringLiteral("PM"), locale.pmText());
        if ((!am && !pm) || hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    const int msec = match.captured(first + 3).leftJustified(3, u'0').left(3).toInt();
    const QTime time(hour, match.captured(first + 1).toInt(), match.captured(first + 2).toInt(), msec);
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

std::optional<Moment> momentFrom(const QDate& date, const QRegularExpressionMatch& match, int timeCapture)
{
    if (!date.isValid())
        return std::nullopt;
    if (!match.hasCaptured(timeCapture))
        return Moment{date, QTime(0, 0)};
    const std::optional<QTime> time = timeFromCaptures(match, timeCapture);
    return time ? std::optional<Moment>(momentAt(date, *time)) : std::nullopt;
}

std::optional<Moment> isoMoment(const QString& text)
{
    // The empty capture stands where a designator would be, so the time captures line up.
    static const QRegularExpression iso(QStringLiteral(R"(^(\d{4})-(\d{1,2})-(\d{1,2}))"
        R"((?:[T ](\d{1,2}):(\d{2})(?::(\d{2})(?:[.,](\d+))?)?()\s*(?:Z|[+-]\d{2}(?::?\d{2})?)?)?$)"));
    const QRegularExpressionMatch match = iso.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    return momentFrom(date, match, 4);
}

// The order of day, month and year in the locale's short date, as the letters 'd', 'M', 'y'.
QString fieldOrder()
{
    QString order;
    for (const QChar c : shortDatePattern()) {
        if ((c == u'd' || c == u'M' || c == u'y') && !order.contains(c))
            order.append(c);
    }
    return order.size() == 3 ? order : QStringLiteral("Mdy");
}

// The compiled expression for `pattern`, kept while the pattern stays the same: compiling costs
// far more than matching, and a sort converts a whole column of dates.
const QRegularExpression& compiled(const QString& pattern)
{
    thread_local QString lastPattern;
    thread_local QRegularExpression expression;
    if (pattern != lastPattern) {
        expression = QRegularExpression(pattern);
        lastPattern = pattern;
    }
    return expression;
}

std::optional<Moment> localeMoment(const QString& text)
{
    const QString separators = QRegularExpression::escape(QStringLiteral("/-.") + dateSeparator());
    const QRegularExpression& shortDate =
        compiled(QStringLiteral(R"(^(\d{1,4})[%1](\d{1,2})[%1](\d{1,4})(?:\s+%2)?$)").arg(separators, timePattern));
    const QRegularExpressionMatch match = shortDate.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString order = fieldOrder();
    auto field = [&](QChar letter) { return match.captured(order.indexOf(letter) + 1); };
    const QDate date(fullYear(field(u'y')), field(u'M').toInt(), field(u'd').toInt());
    return momentFrom(date, match, 4);
}

std::optional<Moment> timeOnly(const QString& text)
{
    static const QRegularExpression timeAlone(u'^' + timePattern + u'$');
    const QRegularExpressionMatch match = timeAlone.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return momentFrom(dayZero(), match, 1);
}

} // namespace

int fullYear(const QString& digits)
{
    const int year = digits.toInt();
    if (digits.size() > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<Moment> parseDateText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || !trimmed[0].isDigit())
        return std::nullopt;
    if (auto moment = isoMoment(trimmed))
        return moment;
    if (auto moment = localeMoment(trimmed))
        return moment;
    return timeOnly(trimmed);
}

} // namespace tessaro::format
