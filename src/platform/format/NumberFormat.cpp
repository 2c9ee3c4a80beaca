#include "platform/format/NumberFormat.h"
#include "platform/format/LocaleText.h"

#include "platform/format/NumberPattern.h"
#include "platform/format/NumberText.h"

#include <QLocale>
#include <vector>

namespace tessaro::format {
namespace {

// Digits spread over placeholders, right-aligned: each placeholder's text, and the digits that
// found no placeholder (they go in front of the first one).
struct Filled {
    QString overflow;
    std::vector<QString> places;
};

Filled fillFromRight(const QString& digits, const std::vector<QChar>& placeholders)
{
    const int count = static_cast<int>(placeholders.size());
    const int extra = std::max(0, static_cast<int>(digits.size()) - count);
    Filled filled{digits.left(extra), std::vector<QString>(count)};
    for (int i = 0; i < count; ++i) {
        const int fromRight = count - 1 - i;
        const int digit = static_cast<int>(digits.size()) - 1 - fromRight;
        if (digit >= 0)
            filled.places[i] = digits[digit];
        else if (placeholders[i] == u'0')
            filled.places[i] = QStringLiteral("0");
    }
    return filled;
}

// Fraction digits left-aligned; a '#' shows nothing where only zeros remain.
std::vector<QString> fillFraction(const QString& digits, const std::vector<QChar>& placeholders)
{
    std::vector<QString> places(placeholders.size());
    int lastNonZero = static_cast<int>(digits.size()) - 1;
    while (lastNonZero >= 0 && digits[lastNonZero] == u'0')
        --lastNonZero;
    for (int i = 0; i < static_cast<int>(places.size()); ++i) {
        if (placeholders[i] == u'0' || i <= lastNonZero)
            places[i] = digits[i];
    }
    return places;
}

struct Rendered {
    Filled integer;
    std::vector<QString> fraction;
    Filled exponent;
    QString exponentSign;
};

// Writes the integer digits, with a group separator wherever three digits remain to the right.
class IntegerWriter {
public:
    IntegerWriter(QString& out, const Filled& integer, bool grouping)
        : m_out(out), m_grouping(grouping), m_remaining(static_cast<int>(integer.overflow.size()))
    {
        for (const QString& place : integer.places)
            m_remaining += static_cast<int>(place.size());
    }
    void write(const QString& digits)
    {
        for (const QChar digit : digits) {
            m_out += digit;
            if (--m_remaining > 0 && m_remaining % 3 == 0 && m_grouping)
                m_out += groupSeparator();
        }
    }

private:
    QString& m_out;
    bool m_grouping;
    int m_remaining;
};

QString assemble(const NumberSection& section, const Rendered& parts)
{
    QString out;
    IntegerWriter integer(out, parts.integer, section.grouping && !section.scientific());
    const bool noIntegerPlaces = section.integerPlaces.empty();
    for (const NumberItem& item : section.items) {
        switch (item.kind) {
        case NumberItem::IntegerDigit:
            integer.write((item.index == 0 ? parts.integer.overflow : QString()) + parts.integer.places[item.index]);
            break;
        case NumberItem::DecimalPoint:
            if (noIntegerPlaces)
                integer.write(parts.integer.overflow);
            out += QLocale().decimalPoint();
            break;
        case NumberItem::FractionDigit:
            out += parts.fraction[item.index];
            break;
        case NumberItem::Percent:
            out += u'%';
            break;
        case NumberItem::Exponent:
            out += item.text + parts.exponentSign;
            break;
        case NumberItem::ExponentDigit:
            out += (item.index == 0 ? parts.exponent.overflow : QString()) + parts.exponent.places[item.index];
            break;
        default:
            out += item.text;
        }
    }
    return out;
}

Rendered fixedParts(const DecimalNumber& magnitude, const NumberSection& section)
{
    const int places = static_cast<int>(section.fractionPlaces.size());
    const DecimalNumber rounded = magnitude.roundedToPlaces(places);
    return Rendered{fillFromRight(rounded.integerDigits(), section.integerPlaces),
                    fillFraction(rounded.fractionDigits(places), section.fractionPlaces), {}, {}};
}

// The mantissa keeps as many integer digits as the section has integer placeholders.
Rendered scientificParts(const DecimalNumber& magnitude, const NumberSection& section)
{
    const int integerCount = static_cast<int>(section.integerPlaces.size());
    const int places = static_cast<int>(section.fractionPlaces.size());
    const DecimalNumber rounded = magnitude.roundedToSignificant(integerCount + places);
    const int exponent = rounded.isZero() ? 0 : rounded.exponent - integerCount;
    Rendered parts = fixedParts(rounded.timesPowerOfTen(-exponent), section);
    parts.exponent = fillFromRight(QString::number(std::abs(exponent)), section.exponentPlaces);
    const NumberItem* marker = nullptr;
    for (const NumberItem& item : section.items)
        marker = item.kind == NumberItem::Exponent ? &item : marker;
    parts.exponentSign = exponent < 0 ? QStringLiteral("-") : marker->signAlways ? QStringLiteral("+") : QString();
    return parts;
}

QString renderMagnitude(const DecimalNumber& magnitude, const QString& text)
{
    const NumberSection section = parseNumberSection(text);
    const DecimalNumber scaled = magnitude.timesPowerOfTen(2 * section.percentCount - 3 * section.thousandsScale);
    const Rendered parts = section.scientific() ? scientificParts(scaled, section) : fixedParts(scaled, section);
    return assemble(section, parts);
}

QString sectionAt(const QStringList& sections, int index)
{
    return index < sections.size() ? sections[index] : QString();
}

} // namespace

QString formatNumber(const DecimalNumber& number, const QStringList& sections)
{
    if (number.isZero() && !sectionAt(sections, 2).isEmpty())
        return renderMagnitude(number, sections[2]);
    if (number.negative && !sectionAt(sections, 1).isEmpty())
        return renderMagnitude(number.magnitude(), sections[1]);
    if (sectionAt(sections, 0).isEmpty())
        return generalNumberText(number);
    const QString text = renderMagnitude(number.magnitude(), sections[0]);
    return number.negative ? u'-' + text : text;
}

QString formatNullNumber(const QStringList& sections)
{
    return sections.size() >= 4 ? renderMagnitude(DecimalNumber{}, sections[3]) : QString();
}

} // namespace tessaro::format
