#include "platform/format/Conversions.h"

#include "platform/Failure.h"
#include "platform/format/FormatValues.h"

#include <QLocale>
#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <string>
#include <limits>

namespace tessaro {
namespace {

// A whole number after '&' is as wide as the smallest of these that holds it; with its top bit
// set it reads as that width's negative value.
constexpr quint64 kWordRange = 0x10000;
constexpr quint64 kLongRange = 0x100000000;
constexpr int kHexBase = 16;
constexpr int kOctalBase = 8;

enum class Reading { Number, NotANumber, TooLarge };

struct NumberReading {
    Reading outcome = Reading::NotANumber;
    double value = 0;
};

// The value of an ASCII hexadecimal digit, or -1.
int digitValue(QChar c)
{
    constexpr int kFirstLetterDigit = 10;
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + kFirstLetterDigit;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + kFirstLetterDigit;
    return -1;
}

// "&H..", "&O.." or "&.." (octal): the digits must fill the rest of the text.
NumberReading radixNumber(QStringView text)
{
    qsizetype at = 1;
    int base = kOctalBase;
    if (at < text.size() && (text[at] == u'h' || text[at] == u'H')) {
        base = kHexBase;
        ++at;
    } else if (at < text.size() && (text[at] == u'o' || text[at] == u'O')) {
        ++at;
    }
    if (at == text.size())
        return {};
    quint64 value = 0;
    bool tooLarge = false;
    for (; at < text.size(); ++at) {
        const int digit = digitValue(text[at]);
        if (digit < 0 || digit >= base)
            return {};
        tooLarge = tooLarge || value >= kLongRange;
        value = tooLarge ? value : value * base + static_cast<quint64>(digit);
    }
    if (tooLarge || value >= kLongRange)
        return {Reading::TooLarge};
    const quint64 range = value < kWordRange ? kWordRange : kLongRange;
    const double number = value >= range / 2 ? double(value) - double(range) : double(value);
    return {Reading::Number, number};
}

bool isBlankGroupSeparator(const QString& separator)
{
    return separator == QLatin1String(" ") || separator == QChar(0x00A0) || separator == QChar(0x202F);
}

// The text with the group separators of its whole part taken out: those after the decimal point
// or in the exponent are left for the locale to refuse.
QString withoutGroupSeparators(const QString& text, const QLocale& locale)
{
    const QString group = locale.groupSeparator();
    const QString point = locale.decimalPoint();
    const bool blankGroups = isBlankGroupSeparator(group);
    QString plain;
    plain.reserve(text.size());
    qsizetype at = 0;
    for (; at < text.size(); ++at) {
        const QChar c = text[at];
        if (QStringView(text).sliced(at).startsWith(point) || c == u'e' || c == u'E')
            break;
        if (!group.isEmpty() && QStringView(text).sliced(at).startsWith(group)) {
            at += group.size() - 1;
            continue;
        }
        if (blankGroups && isBlankGroupSeparator(QString(c)))
            continue;
        plain += c;
    }
    return plain + text.mid(at);
}

// Whether `text`, which the locale refused, is a well-formed number too large for a double: that
// is an overflow rather than a type mismatch.
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

// Text is read in the user's locale only: its decimal and group separators, a sign and an
// exponent. "nan" and "inf" are not numbers.
NumberReading readNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u'&'))
        return radixNumber(trimmed);
    const QLocale locale;
    const QString plain = withoutGroupSeparators(trimmed, locale);
    bool ok = false;
    const double number = locale.toDouble(plain, &ok);
    if (ok && std::isfinite(number))
        return {Reading::Number, number};
    return {isTooLarge(plain, locale) ? Reading::TooLarge : Reading::NotANumber};
}

} // namespace

std::optional<double> numberInText(const QString& text)
{
    const NumberReading reading = readNumber(text);
    return reading.outcome == Reading::Number ? std::optional<double>(reading.value) : std::nullopt;
}

double CDbl(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        raiseError(Error::TypeMismatch);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1.0 : 0.0;
    if (format::isTextType(value)) {
        const NumberReading reading = readNumber(value.toString());
        if (reading.outcome != Reading::Number)
            raiseError(reading.outcome == Reading::TooLarge ? Error::Overflow : Error::TypeMismatch);
        return reading.value;
    }
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
    if (format::isTextType(value)) {
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

namespace {
constexpr char16_t kFirstNonAscii = 0x80;
} // namespace

NumberTextReader::NumberTextReader()
{
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < kFirstNonAscii)
        m_decimalPoint = char(point.at(0).unicode());
}

// Both ways round correctly to the nearest double, so the shortcut gives CDbl's own number.
double NumberTextReader::read(std::string_view text) const
{
    const auto blank = [](char c) { return c == ' '; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t begin = 0, end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    std::string plain(text.substr(begin, end - begin));
    std::size_t i = plain.empty() || plain[0] != '-' ? 0 : 1;
    const std::size_t firstDigit = i;
    while (i < plain.size() && digit(plain[i]))
        ++i;
    bool isPlain = i > firstDigit && m_decimalPoint != 0;
    if (isPlain && i < plain.size() && plain[i] == m_decimalPoint) {
        plain[i++] = '.';
        const std::size_t firstPlace = i;
        while (i < plain.size() && digit(plain[i]))
            ++i;
        isPlain = i > firstPlace;
    }
    double number = 0;
    if (isPlain && i == plain.size()) {
        const std::from_chars_result read = std::from_chars(plain.data(), plain.data() + plain.size(), number);
        if (read.ec == std::errc() && std::isfinite(number))
            return number;
    }
    return CDbl(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

} // namespace tessaro
