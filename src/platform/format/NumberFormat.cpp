#include "platform/format/NumberFormat.h"

#include "platform/format/LocaleText.h"
#include "platform/format/NumberText.h"
#include "platform/format/PatternText.h"

#include <QLocale>
#include <vector>

namespace tessaro::format {
namespace {

struct NumberItem {
    enum Kind { Literal, IntegerDigit, DecimalPoint, FractionDigit, Percent, Exponent, ExponentDigit, Comma };
    Kind kind = Literal;
    QString text;         ///< Literal: its text; Exponent: "E" or "e"
    QChar placeholder;    ///< digit kinds: '0' (a digit or zero) or '#' (a digit or nothing)
    int index = 0;        ///< digit kinds: position within its group, from the left
    bool signAlways = false; ///< Exponent: "E+" shows '+' too, "E-" only '-'
};
// (Comma items exist only while a section is read; the parsed section holds none.)

struct NumberSection {
    std::vector<NumberItem> items;
    std::vector<QChar> integerPlaces;  ///< the placeholders of each group, left to right
    std::vector<QChar> fractionPlaces;
    std::vector<QChar> exponentPlaces;
    bool grouping = false;     ///< a ',' between integer placeholders
    int thousandsScale = 0;    ///< trailing ',' each dividing by 1000
    int percentCount = 0;      ///< each '%' multiplies by 100
    bool scientific() const { return !exponentPlaces.empty(); }
};

bool isPlaceholder(const QString& s, int i)
{
    return i < s.size() && (s[i] == u'0' || s[i] == u'#');
}

// The raw items in order; a ',' is settled once the whole section is known.
struct Reader {
    const QString& section;
    NumberSection result;
    bool afterPoint = false;
    bool inExponent = false;

    void literal(const QString& text) { result.items.push_back({NumberItem::Literal, text, {}, 0, false}); }
    void digit(QChar placeholder)
    {
        auto& group = inExponent ? result.exponentPlaces : afterPoint ? result.fractionPlaces : result.integerPlaces;
        const auto kind = inExponent ? NumberItem::ExponentDigit
                        : afterPoint          ? NumberItem::FractionDigit
                                              : NumberItem::IntegerDigit;
        result.items.push_back({kind, {}, placeholder, static_cast<int>(group.size()), false});
        group.push_back(placeholder);
    }
    // "E+0": the marker, then the exponent placeholders that follow it directly.
    bool exponent(int& i)
    {
        const QChar e = section[i];
        if ((e != u'E' && e != u'e') || result.scientific() || i + 1 >= section.size()
            || (section[i + 1] != u'+' && section[i + 1] != u'-') || !isPlaceholder(section, i + 2))
            return false;
        result.items.push_back({NumberItem::Exponent, QString(e), {}, 0, section[i + 1] == u'+'});
        inExponent = true;
        for (i += 2; isPlaceholder(section, i); ++i)
            digit(section[i]);
        inExponent = false;
        return true;
    }
    void character(int& i)
    {
        const QChar c = section[i];
        if (c == u'0' || c == u'#') {
            digit(c);
        } else if (c == u'.' && !afterPoint && !result.scientific()) { // no point in the exponent
            afterPoint = true;
            result.items.push_back({NumberItem::DecimalPoint, {}, {}, 0, false});
        } else if (c == u',') {
            result.items.push_back({NumberItem::Comma, {}, {}, 0, false});
        } else if (c == u'%') {
            ++result.percentCount;
            result.items.push_back({NumberItem::Percent, {}, {}, 0, false});
        } else {
            literal(QString(c));
        }
        ++i;
    }
};

struct Span {
    int first = -1;
    int last = -1;
};

Span spanOf(const std::vector<NumberItem>& items, NumberItem::Kind kind)
{
    Span span;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (items[i].kind == kind) {
            span.first = span.first < 0 ? i : span.first;
            span.last = i;
        }
    }
    return span;
}

// A ',' before the last integer placeholder groups; one after the last placeholder of the integer
// part or of the fraction scales by 1000; one between fraction placeholders is dropped; any other
// (before every placeholder) is a literal group separator.
void settleCommas(NumberSection& section)
{
    std::vector<NumberItem>& items = section.items;
    const Span integer = spanOf(items, NumberItem::IntegerDigit);
    const Span fraction = spanOf(items, NumberItem::FractionDigit);
    const int point = spanOf(items, NumberItem::DecimalPoint).first;
    std::vector<NumberItem> settled;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (items[i].kind != NumberItem::Comma) {
            settled.push_back(items[i]);
            continue;
        }
        const Span& own = point >= 0 && i > point ? fraction : integer;
        if (&own == &integer && i < integer.last)
            section.grouping = true;
        else if (own.first >= 0 && i > own.last)
            ++section.thousandsScale;
        else if (own.first < 0 || i < own.first)
            settled.push_back({NumberItem::Literal, groupSeparator(), {}, 0, false});
    }
    items = std::move(settled);
}

// Reads one section: '0' and '#' placeholders, the first '.' as the decimal point, ',' as the
// grouping flag when an integer placeholder follows it and as a scale of 1000 when it ends the
// integer or fraction placeholders, '%', "E+" "E-" "e+" "e-" followed by placeholders for the
// exponent, quoted texts, '\' escapes; every other character is literal.
NumberSection parseNumberSection(const QString& section)
{
    Reader reader{section, {}};
    for (int i = 0; i < section.size();) {
        QString quoted;
        if (takeQuotedOrEscaped(section, i, quoted))
            reader.literal(quoted);
        else if (!reader.exponent(i))
            reader.character(i);
    }
    settleCommas(reader.result);
    return reader.result;
}

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

QString assemble(const NumberSection& section, const Rendered& parts)
{
    QString out;
    // The integer digits, with a group separator wherever three digits remain to the right.
    const bool grouping = section.grouping && !section.scientific();
    int remaining = static_cast<int>(parts.integer.overflow.size());
    for (const QString& place : parts.integer.places)
        remaining += static_cast<int>(place.size());
    const auto writeInteger = [&](const QString& digits) {
        for (const QChar digit : digits) {
            out += digit;
            if (--remaining > 0 && remaining % 3 == 0 && grouping)
                out += groupSeparator();
        }
    };
    const bool noIntegerPlaces = section.integerPlaces.empty();
    for (const NumberItem& item : section.items) {
        switch (item.kind) {
        case NumberItem::IntegerDigit:
            writeInteger((item.index == 0 ? parts.integer.overflow : QString()) + parts.integer.places[item.index]);
            break;
        case NumberItem::DecimalPoint:
            if (noIntegerPlaces)
                writeInteger(parts.integer.overflow);
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

} // namespace

QString formatNumber(const DecimalNumber& number, const QStringList& sections)
{
    if (number.isZero() && !sections.value(2).isEmpty())
        return renderMagnitude(number, sections[2]);
    if (number.negative && !sections.value(1).isEmpty())
        return renderMagnitude(number.magnitude(), sections[1]);
    if (sections.value(0).isEmpty())
        return generalNumberText(number);
    const QString text = renderMagnitude(number.magnitude(), sections[0]);
    return number.negative ? u'-' + text : text;
}

QString formatNullNumber(const QStringList& sections)
{
    return sections.size() >= 4 ? renderMagnitude(DecimalNumber{}, sections[3]) : QString();
}

} // namespace tessaro::format
