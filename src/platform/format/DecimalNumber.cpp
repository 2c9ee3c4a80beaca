#include "platform/format/DecimalNumber.h"

#include <QByteArray>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace tessaro::format {
namespace {

// Texts with absurd exponents are not numbers the formats could lay out.
constexpr int maxTextExponent = 4000;

// Strips leading and trailing zeros, keeping the value.
DecimalNumber normalized(DecimalNumber number)
{
    const auto firstNonZero = number.digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return DecimalNumber{};
    number.digits.erase(0, firstNonZero);
    number.exponent -= static_cast<int>(firstNonZero);
    number.digits.erase(number.digits.find_last_not_of('0') + 1);
    return number;
}

// Keeps the first `keep` digits, rounding the magnitude half away from zero on the next one.
DecimalNumber keptDigits(const DecimalNumber& number, int keep)
{
    const int size = static_cast<int>(number.digits.size());
    if (keep >= size)
        return number;
    if (keep < 0)
        return DecimalNumber{};
    DecimalNumber result = number;
    const bool roundUp = number.digits[keep] >= '5';
    result.digits.resize(keep);
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && result.digits[i] == '9')
            result.digits[i--] = '0';
        if (i >= 0) {
            ++result.digits[i];
        } else {
            result.digits.insert(result.digits.begin(), '1');
            ++result.exponent;
        }
    }
    return normalized(result);
}

struct TextCursor {
    const QString& text;
    int pos = 0;
    bool atDigit() const { return pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; }
    bool take(QChar c)
    {
        if (pos < text.size() && text[pos] == c)
            return ++pos, true;
        return false;
    }
    void skipBlanks()
    {
        while (pos < text.size() && text[pos].isSpace())
            ++pos;
    }
};

// Reads "[+-]digits" after an 'e'; false when the exponent is missing or out of reach.
bool readExponent(TextCursor& in, int& exponent)
{
    const bool minus = in.take(u'-');
    if (!minus)
        in.take(u'+');
    if (!in.atDigit())
        return false;
    long value = 0;
    while (in.atDigit()) {
        value = std::min<long>(value * 10 + (in.text[in.pos++].unicode() - u'0'), maxTextExponent + 1);
    }
    if (value > maxTextExponent)
        return false;
    exponent = minus ? -static_cast<int>(value) : static_cast<int>(value);
    return true;
}

} // namespace

DecimalNumber DecimalNumber::magnitude() const
{
    DecimalNumber result = *this;
    result.negative = false;
    return result;
}

DecimalNumber DecimalNumber::timesPowerOfTen(int power) const
{
    DecimalNumber result = *this;
    if (!isZero())
        result.exponent += power;
    return result;
}

DecimalNumber DecimalNumber::roundedToPlaces(int places) const
{
    return keptDigits(*this, exponent + places);
}

DecimalNumber DecimalNumber::roundedToSignificant(int count) const
{
    return keptDigits(*this, std::max(count, 1));
}

QString DecimalNumber::integerDigits() const
{
    if (exponent <= 0 || isZero())
        return QString();
    std::string whole = digits.substr(0, std::min<size_t>(digits.size(), exponent));
    whole.append(exponent - whole.size(), '0');
    return QString::fromLatin1(whole.data(), static_cast<qsizetype>(whole.size()));
}

QString DecimalNumber::fractionDigits(int places) const
{
    QString result;
    result.reserve(std::max(places, 0));
    for (int i = 0; i < places; ++i) {
        const int index = exponent + i; // digit i after the point is digits[exponent + i]
        const bool inDigits = index >= 0 && index < static_cast<int>(digits.size());
        result.append(inDigits ? QChar::fromLatin1(digits[index]) : QChar(u'0'));
    }
    return result;
}

double DecimalNumber::toDouble() const
{
    if (isZero())
        return 0.0;
    const QByteArray text = QByteArray(negative ? "-0." : "0.") + QByteArray::fromStdString(digits)
        + 'e' + QByteArray::number(exponent);
    return text.toDouble();
}

DecimalNumber DecimalNumber::fromInteger(qlonglong value)
{
    DecimalNumber result;
    result.negative = value < 0;
    // Through the unsigned magnitude, so the most negative value does not overflow.
    const qulonglong magnitude = value < 0 ? 0 - static_cast<qulonglong>(value) : static_cast<qulonglong>(value);
    result.digits = std::to_string(magnitude);
    result.exponent = static_cast<int>(result.digits.size());
    return normalized(result);
}

namespace {

// The shortest digits that read back as `magnitude`, when there are at most `significant` of
// them: they are then also its rounding to `significant` digits, since a double is the nearest
// to each decimal of 15 digits or fewer. Nothing for more digits, a zero (whose sign the long
// form keeps) or a value that is not finite.
std::optional<DecimalNumber> shortestDigits(double magnitude, int significant)
{
    constexpr int kLongestText = 32;
    char text[kLongestText];
    const std::to_chars_result written =
        std::to_chars(text, text + kLongestText, magnitude, std::chars_format::scientific);
    const std::string_view shortest(text, std::size_t(written.ptr - text));
    const std::size_t ePos = shortest.find('e');
    if (magnitude == 0 || written.ec != std::errc() || ePos == std::string_view::npos)
        return std::nullopt;
    DecimalNumber result;
    for (const char c : shortest.substr(0, ePos)) {
        if (c != '.')
            result.digits.push_back(c);
    }
    if (int(result.digits.size()) > significant)
        return std::nullopt;
    int exponent = 0;
    const std::string_view power = shortest.substr(ePos + 1);
    const char* from = power.data() + (power.front() == '+' ? 1 : 0);
    std::from_chars(from, power.data() + power.size(), exponent);
    result.exponent = exponent + 1;
    return result;
}

} // namespace

DecimalNumber DecimalNumber::fromDouble(double value, int significant)
{
    // Most cells hold few digits: their shortest form is found without a text of every digit.
    if (std::optional<DecimalNumber> shortest = shortestDigits(value < 0 ? -value : value, std::max(significant, 1))) {
        shortest->negative = value < 0;
        return normalized(std::move(*shortest));
    }
    // "d.ddde+XX", independent of the C library's locale.
    const QByteArray text = QByteArray::number(value < 0 ? -value : value, 'e', std::max(significant, 1) - 1);
    const int ePos = text.indexOf('e');
    DecimalNumber result;
    result.negative = value < 0;
    result.digits = text.left(ePos).replace(".", "").toStdString();
    result.exponent = text.mid(ePos + 1).toInt() + 1;
    return normalized(result);
}

std::optional<DecimalNumber> DecimalNumber::fromPlainText(const QString& text)
{
    TextCursor in{text};
    in.skipBlanks();
    DecimalNumber result;
    result.negative = in.take(u'-');
    if (!result.negative)
        in.take(u'+');
    int integerCount = 0;
    for (; in.atDigit(); ++integerCount)
        result.digits.push_back(static_cast<char>(text[in.pos++].unicode()));
    int fractionCount = 0;
    if (in.take(u'.')) {
        for (; in.atDigit(); ++fractionCount)
            result.digits.push_back(static_cast<char>(text[in.pos++].unicode()));
    }
    if (integerCount + fractionCount == 0)
        return std::nullopt;
    int exponent = 0;
    if ((in.take(u'e') || in.take(u'E')) && !readExponent(in, exponent))
        return std::nullopt;
    in.skipBlanks();
    if (in.pos != text.size())
        return std::nullopt;
    result.exponent = integerCount + exponent;
    return normalized(result);
}

} // namespace tessaro::format
