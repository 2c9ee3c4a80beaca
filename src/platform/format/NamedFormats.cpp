#include "platform/format/NamedFormats.h"
#include "platform/format/LocaleText.h"

#include "platform/format/DateFormat.h"
#include "platform/format/FormatValues.h"
#include "platform/format/NumberFormat.h"
#include "platform/format/NumberText.h"
#include "platform/format/ValueText.h"

#include <QLocale>
#include <algorithm>
#include <array>

namespace tessaro::format {
namespace {

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

} // namespace

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

} // namespace tessaro::format
