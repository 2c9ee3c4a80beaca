#include "platform/format/NumberText.h"

#include <QLocale>
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

} // namespace tessaro::format
