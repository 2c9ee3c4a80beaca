#include "platform/format/NumberPattern.h"
#include "platform/format/LocaleText.h"

#include "platform/format/PatternText.h"

#include <QLocale>

namespace tessaro::format {
namespace {

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

} // namespace

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

} // namespace tessaro::format
