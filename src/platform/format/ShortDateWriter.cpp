#include "platform/format/ShortDateWriter.h"

#include "platform/format/LocaleText.h"
#include "platform/format/Moment.h"

#include <QLocale>

#include <charconv>

namespace tessaro::format {

namespace {

constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;
constexpr int kYearDigits = 4;
constexpr int kPaddedDigits = 2;
// A run of three letters names a day or month in short, of four in full.
constexpr int kShortName = 3;
constexpr int kLongName = 4;
constexpr int kMonths = 12;
constexpr int kWeekDays = 7;

std::vector<std::string> namesOf(int count, QLocale::FormatType form, QString (QLocale::*name)(int, QLocale::FormatType) const)
{
    const QLocale locale;
    std::vector<std::string> names;
    for (int at = 1; at <= count; ++at)
        names.push_back(withPlainSpaces((locale.*name)(at, form)).toStdString());
    return names;
}

void appendNumber(std::string& out, int number, int width)
{
    char digits[kYearDigits + 1];
    const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    const int length = int(end - digits);
    out.append(std::size_t(std::max(0, width - length)), '0');
    out.append(digits, std::size_t(length));
}

} // namespace

// Only runs of d and M (numbers or names), four y's (the pattern's years are widened to them) and
// characters that are no letters or quotes are understood; anything else leaves every date to the
// long way.
ShortDateWriter::ShortDateWriter()
{
    if (QLocale().zeroDigit() != QLatin1String("0"))
        return;
    const QString pattern = shortDatePattern();
    for (qsizetype at = 0; at < pattern.size();) {
        const QChar c = pattern.at(at);
        qsizetype run = 1;
        while (at + run < pattern.size() && pattern.at(at + run) == c)
            ++run;
        if (c == u'd' && run <= kPaddedDigits)
            m_pieces.push_back({run == 1 ? Part::Day : Part::DayPadded, {}, {}});
        else if (c == u'M' && run <= kPaddedDigits)
            m_pieces.push_back({run == 1 ? Part::Month : Part::MonthPadded, {}, {}});
        else if ((c == u'd' || c == u'M') && (run == kShortName || run == kLongName)) {
            const QLocale::FormatType form = run == kShortName ? QLocale::ShortFormat : QLocale::LongFormat;
            m_pieces.push_back({c == u'd' ? Part::DayName : Part::MonthName, {},
                                c == u'd' ? namesOf(kWeekDays, form, &QLocale::dayName) : namesOf(kMonths, form, &QLocale::monthName)});
        } else if (c == u'y' && run == kYearDigits)
            m_pieces.push_back({Part::Year, {}, {}});
        else if (c.isLetter() || c == u'\'')
            return;
        else
            m_pieces.push_back({Part::Literal, withPlainSpaces(QString(run, c)).toStdString(), {}});
        at += run;
    }
    m_usable = true;
}

bool ShortDateWriter::append(std::string& out, const QDate& date) const
{
    if (!m_usable || !date.isValid() || date == dayZero())
        return false;
    // One conversion from the day number, where each of day(), month() and year() makes its own.
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    if (year < kFirstYear || year > kLastYear)
        return false;
    for (const Piece& piece : m_pieces) {
        switch (piece.part) {
        case Part::Literal: out += piece.literal; break;
        case Part::Day: appendNumber(out, day, 1); break;
        case Part::DayPadded: appendNumber(out, day, kPaddedDigits); break;
        case Part::DayName: out += piece.names[std::size_t(date.dayOfWeek() - 1)]; break;
        case Part::MonthName: out += piece.names[std::size_t(month - 1)]; break;
        case Part::Month: appendNumber(out, month, 1); break;
        case Part::MonthPadded: appendNumber(out, month, kPaddedDigits); break;
        case Part::Year: appendNumber(out, year, kYearDigits); break;
        }
    }
    return true;
}

} // namespace tessaro::format
