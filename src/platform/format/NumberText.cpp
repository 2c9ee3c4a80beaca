#include "platform/format/NumberText.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tessaro::format {
namespace {

QString plainText(const DecimalNumber& number)
{
    const QString whole = number.integerDigits();
    const int fractionCount = static_cast<int>(number.digits.size()) - number.exponent;
    QString text = whole.isEmpty() ? QStringLiteral("0") : whole;
    if (fractionCount > 0)
        text += QLocale().decimalPoint() + number.fractionDigits(fractionCount);
    return text;
}

QString scientificText(const DecimalNumber& number)
{
    const int exponent = number.exponent - 1;
    QString text = QChar::fromLatin1(number.digits[0]);
    if (number.digits.size() > 1)
        text += QLocale().decimalPoint() + QString::fromStdString(number.digits.substr(1));
    text += exponent < 0 ? QLatin1String("E-") : QLatin1String("E+");
    return text + QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QChar(u'0'));
}

// The C++ conversion breaks a tie to the even digit, the general text away from zero. Digits 16
// to 21 of the exact value tell a number that is not (nearly) halfway between two 15-digit ones.
bool mayBeHalfwayAtFifteenDigits(double value)
{
    char text[48];
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific, 20);
    // "d.dddddddddddddddddddde+XX": significant digit k stands at index k from the second on.
    return written.ec != std::errc() || std::string_view(text + 16, 6) == "500000";
}

} // namespace

QString generalNumberText(const DecimalNumber& number, int significant)
{
    if (number.isZero())
        return QStringLiteral("0");
    const bool wholeAndLong = number.isWhole() && static_cast<int>(number.digits.size()) > significant;
    const DecimalNumber shown = wholeAndLong ? number : number.roundedToSignificant(significant);
    const int exponent = shown.exponent - 1;
    const bool scientific = !wholeAndLong && (exponent < -4 || exponent >= significant);
    const QString text = scientific ? scientificText(shown) : plainText(shown);
    return shown.negative ? u'-' + text : text;
}

bool appendPlainDoubleText(std::string& out, double value, std::string_view decimalPoint)
{
    if (!std::isfinite(value))
        return false;
    if (value == 0) { // and -0, which the general form shows unsigned
        out += '0';
        return true;
    }
    if (mayBeHalfwayAtFifteenDigits(value))
        return false;
    // The C++ general form at 15 digits drops trailing zeros and turns scientific at the same
    // exponents as the general text, which keeps those; it rounds alike except on an exact tie.
    char digits[32];
    const std::to_chars_result written =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
    const std::string_view text(digits, std::size_t(written.ptr - digits));
    if (written.ec != std::errc() || text.find('e') != std::string_view::npos)
        return false;
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos) {
        out += text;
        return true;
    }
    out += text.substr(0, point);
    out += decimalPoint;
    out += text.substr(point + 1);
    return true;
}

} // namespace tessaro::format
