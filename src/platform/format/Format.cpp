#include "platform/format/Format.h"

#include "platform/format/DateFormat.h"
#include "platform/format/FormatValues.h"
#include "platform/format/NamedFormats.h"
#include "platform/format/NumberFormat.h"
#include "platform/format/PatternText.h"
#include "platform/format/StringFormat.h"
#include "platform/format/ValueText.h"

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
