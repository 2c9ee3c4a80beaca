#include "platform/format/Format.h"

#include "platform/format/DateFormat.h"
#include "platform/format/FormatValues.h"
#include "platform/format/LocaleText.h"
#include "platform/format/NumberFormat.h"
#include "platform/format/NumberText.h"
#include "platform/format/PatternText.h"
#include "platform/format/ValueText.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <vector>

namespace tessaro::format {
namespace {

struct StringItem {
    QChar placeholder; ///< '@' or '&'; null for a literal
    QString literal;
};

struct StringSection {
    std::vector<StringItem> items;
    int placeholders = 0;
    bool fromLeft = false;
    QChar caseRule; ///< '<', '>' or null
};

StringSection parseStringSection(const QString& section)
{
    StringSection parsed;
    for (int i = 0; i < section.size();) {
        QString literal;
        if (takeQuotedOrEscaped(section, i, literal)) {
            parsed.items.push_back({QChar(), literal});
            continue;
        }
        const QChar c = section[i++];
        if (c == u'@' || c == u'&') {
            parsed.items.push_back({c, QString()});
            ++parsed.placeholders;
        } else if (c == u'!') {
            parsed.fromLeft = true;
        } else if (c == u'<' || c == u'>') {
            parsed.caseRule = c;
        } else {
            parsed.items.push_back({QChar(), QString(c)});
        }
    }
    return parsed;
}

QString withCaseRule(const QString& text, QChar rule)
{
    if (rule == u'<')
        return text.toLower();
    if (rule == u'>')
        return text.toUpper();
    return text;
}

QString layOut(const StringSection& section, const QString& text)
{
    const int length = static_cast<int>(text.size());
    const int extra = std::max(0, length - section.placeholders);
    // Index in `text` of placeholder 0; the ones before it (negative) have no character.
    const int first = section.fromLeft ? 0 : length - section.placeholders;
    QString out;
    int placeholder = 0;
    for (const StringItem& item : section.items) {
        if (item.placeholder.isNull()) {
            out += item.literal;
            continue;
        }
        if (placeholder == 0 && !section.fromLeft)
            out += text.left(extra);
        const int index = first + placeholder++;
        if (index >= 0 && index < length)
            out += text[index];
        else if (item.placeholder == u'@')
            out += u' ';
        if (placeholder == section.placeholders && section.fromLeft)
            out += text.mid(section.placeholders);
    }
    return section.placeholders == 0 ? out + text : out;
}

// `text` laid out by `sections`: the second section, when there is one, serves an empty text
// (and a Null), the first any other. In a section, '@' takes one character or shows a blank,
// '&' one character or nothing; placeholders take the text's characters from the right, or
// from the left after a '!' anywhere in the section; characters beyond the placeholders stand
// before the first placeholder (after the last one with '!'); with no placeholder the text
// follows the literals. '<' lower-cases the text, '>' upper-cases it (the last one written
// wins). Quoted texts, '\' escapes and other characters are literal.
QString formatText(const QString& text, const QStringList& sections)
{
    const QString& chosen = text.isEmpty() && sections.size() >= 2 ? sections[1] : sections.value(0);
    const StringSection section = parseStringSection(chosen);
    return layOut(section, withCaseRule(text, section.caseRule));
}

struct NamedPattern {
    QLatin1String name;
    QLatin1String pattern;
};

// Named formats that are plain patterns of the language.
constexpr std::array<NamedPattern, 4> numberPatterns{{
    {QLatin1String("fixed"), QLatin1String("0.00")},
    {QLatin1String("standard"), QLatin1String("#,##0.00")},
    {QLatin1String("percent"), QLatin1String("0.00%")},
    {QLatin1String("scientific"), QLatin1String("0.00E+00")},
}};

constexpr std::array<NamedPattern, 7> datePatterns{{
    {QLatin1String("general date"), QLatin1String("c")},
    {QLatin1String("long date"), QLatin1String("dddddd")},
    {QLatin1String("medium date"), QLatin1String("dd-mmm-yy")},
    {QLatin1String("short date"), QLatin1String("ddddd")},
    {QLatin1String("long time"), QLatin1String("ttttt")},
    {QLatin1String("medium time"), QLatin1String("hh:nn AM/PM")},
    {QLatin1String("short time"), QLatin1String("hh:nn")},
}};

// "yes/no" and its kin: the first word for any number but zero.
constexpr std::array<QLatin1String, 3> wordPairs{
    QLatin1String("Yes/No"), QLatin1String("True/False"), QLatin1String("On/Off")};

QString currencyText(const DecimalNumber& number)
{
    const QLocale locale;
    return withPlainSpaces(locale.toCurrencyString(number.roundedToPlaces(2).toDouble(), locale.currencySymbol(), 2));
}

// The text of a number under one of the numeric names; nothing when `name` is none of them.
std::optional<QString> numberText(const QVariant& value, const DecimalNumber& number, const QString& name)
{
    if (name == QLatin1String("general number"))
        return isWholeNumberType(value) ? CStr(value) : generalNumberText(number);
    if (name == QLatin1String("currency"))
        return currencyText(number);
    for (const NamedPattern& named : numberPatterns) {
        if (name == named.name)
            return formatNumber(number, {named.pattern});
    }
    for (const QLatin1String pair : wordPairs) {
        if (name.compare(pair, Qt::CaseInsensitive) == 0) {
            const QStringList words = QString(pair).split(u'/');
            return number.isZero() ? words[1] : words[0];
        }
    }
    return std::nullopt;
}

bool isNumberName(const QString& name)
{
    if (name == QLatin1String("general number") || name == QLatin1String("currency"))
        return true;
    const auto named = [&](const NamedPattern& p) { return name == p.name; };
    const auto pair = [&](QLatin1String words) { return name.compare(words, Qt::CaseInsensitive) == 0; };
    return std::any_of(numberPatterns.begin(), numberPatterns.end(), named)
        || std::any_of(wordPairs.begin(), wordPairs.end(), pair);
}

std::optional<QString> datePatternOf(const QString& name)
{
    for (const NamedPattern& named : datePatterns) {
        if (name == named.name)
            return QString(named.pattern);
    }
    return std::nullopt;
}

// `value` in the named format `name` (compared without case, blanks around it ignored), or
// nothing when `name` names no format:
// - "General Number" (the general text; whole-number types keep all their digits), "Currency"
//   (the locale's currency form, two decimals), "Fixed" ("0.00"), "Standard" ("#,##0.00"),
//   "Percent" ("0.00%"), "Scientific" ("0.00E+00"), "Yes/No", "True/False", "On/Off" (the
//   second word for zero) format numbers;
// - "General Date" ("c"), "Long Date" ("dddddd"), "Medium Date" ("dd-mmm-yy"), "Short Date"
//   ("ddddd"), "Long Time" ("ttttt"), "Medium Time" ("hh:nn AM/PM"), "Short Time" ("hh:nn")
//   format dates.
// A Null gives ""; a value the format cannot read (a non-numeric text for a number format) gives
// its own text.
std::optional<QString> formatNamed(const QVariant& value, const QString& name)
{
    const QString key = name.trimmed().toLower();
    const std::optional<QString> datePattern = datePatternOf(key);
    if (!datePattern && !isNumberName(key))
        return std::nullopt;
    if (value.isNull())
        return QString();
    if (datePattern) {
        const std::optional<Moment> moment = momentOf(value);
        return moment ? formatMoment(*moment, *datePattern) : CStr(value);
    }
    const std::optional<DecimalNumber> number = numberOf(value);
    return number ? numberText(value, *number, key) : CStr(value);
}

} // namespace
} // namespace tessaro::format

namespace tessaro {
namespace {

QString withNumberPattern(const QVariant& value, const QStringList& sections)
{
    if (value.isNull())
        return format::formatNullNumber(sections);
    const std::optional<format::DecimalNumber> number = format::numberOf(value);
    return number ? format::formatNumber(*number, sections) : CStr(value);
}

QString withDatePattern(const QVariant& value, const QString& pattern)
{
    if (value.isNull())
        return QString();
    const std::optional<format::Moment> moment = format::momentOf(value);
    return moment ? format::formatMoment(*moment, pattern) : CStr(value);
}

// A Null shows only through a second section: without one it stays empty, not blank-filled.
QString withStringPattern(const QVariant& value, const QStringList& sections)
{
    if (value.isNull() && sections.size() < 2)
        return QString();
    return format::formatText(CStr(value), sections);
}

} // namespace

QString Format(const QVariant& value, const QString& expression)
{
    if (expression.isEmpty())
        return CStr(value);
    if (const std::optional<QString> named = format::formatNamed(value, expression))
        return *named;
    const QStringList sections = format::splitSections(expression);
    switch (format::patternKind(expression)) {
    case format::PatternKind::Date:
        return withDatePattern(value, sections.first());
    case format::PatternKind::String:
        return withStringPattern(value, sections);
    case format::PatternKind::Number:
    default:
        return withNumberPattern(value, sections);
    }
}

} // namespace tessaro
