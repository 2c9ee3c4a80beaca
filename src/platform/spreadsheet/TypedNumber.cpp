#include "platform/spreadsheet/TypedNumber.h"

#include <charconv>
#include <cmath>

namespace tessaro::spreadsheet {
namespace {

QChar singleCharacter(const QString& text)
{
    return text.size() == 1 ? text.front() : QChar();
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

TypedNumber::TypedNumber(const QLocale& locale)
    : m_locale(locale),
      m_decimal(singleCharacter(locale.decimalPoint())),
      m_group(singleCharacter(locale.groupSeparator()))
{
}

std::optional<double> TypedNumber::read(const QString& text) const
{
    const QString trimmed = text.trimmed();
    std::optional<double> number = readPlain(trimmed);
    if (!number) {
        bool ok = false;
        number = m_locale.toDouble(trimmed, &ok);
        if (!ok)
            return std::nullopt;
    }
    return std::isfinite(*number) ? number : std::nullopt;
}

// An ASCII sign, digits optionally grouped by threes with the locale's separator, and an
// optional fraction after the locale's decimal point: what QLocale accepts in this shape, read
// without it. Anything else is left to QLocale.
std::optional<double> TypedNumber::readPlain(QStringView text) const
{
    char ascii[64];
    std::size_t length = 0;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        if (text[i] == QLatin1Char('-'))
            ascii[length++] = '-';
        ++i;
    }
    int digits = 0;
    int groupDigits = 0; // digits since the start or the last separator
    bool grouped = false;
    for (; i < text.size() && length < sizeof ascii - 2; ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            ascii[length++] = static_cast<char>(c.unicode());
            ++digits;
            ++groupDigits;
        } else if (c == m_group && !m_group.isNull()) {
            if (groupDigits == 0 || groupDigits > 3 || (grouped && groupDigits != 3))
                return std::nullopt;
            grouped = true;
            groupDigits = 0;
        } else {
            break;
        }
    }
    if (grouped && groupDigits != 3)
        return std::nullopt;
    if (i < text.size() && text[i] == m_decimal && !m_decimal.isNull()) {
        ascii[length++] = '.';
        for (++i; i < text.size() && isDigit(text[i]) && length < sizeof ascii; ++i) {
            ascii[length++] = static_cast<char>(text[i].unicode());
            ++digits;
        }
    }
    if (i != text.size() || digits == 0)
        return std::nullopt;
    double number = 0;
    const std::from_chars_result read = std::from_chars(ascii, ascii + length, number);
    return read.ec == std::errc() && read.ptr == ascii + length ? std::optional<double>(number) : std::nullopt;
}

} // namespace tessaro::spreadsheet
