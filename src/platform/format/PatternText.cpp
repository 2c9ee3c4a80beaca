#include "platform/format/PatternText.h"

#include <algorithm>

namespace tessaro::format {
namespace {

constexpr int maxSections = 4;

// The pattern with its quoted texts and escaped characters blanked out.
QString bareCharacters(const QString& expression)
{
    QString bare;
    QString ignored;
    for (int i = 0; i < expression.size();) {
        if (takeQuotedOrEscaped(expression, i, ignored)) {
            bare.append(u' ');
            continue;
        }
        bare.append(expression[i++]);
    }
    return bare;
}

bool hasAnyOf(const QString& bare, QStringView characters)
{
    return std::any_of(bare.begin(), bare.end(), [&](QChar c) { return characters.contains(c); });
}

bool hasDateToken(const QString& bare)
{
    const QString lower = bare.toLower();
    return hasAnyOf(lower, u"dwmqyhnsc") || lower.contains(QLatin1String("ttttt"))
        || lower.contains(QLatin1String("a/p")) || lower.contains(QLatin1String("ampm"));
}

} // namespace

bool takeQuotedOrEscaped(const QString& pattern, int& pos, QString& literal)
{
    if (pattern[pos] == u'\\') {
        if (pos + 1 < pattern.size())
            literal.append(pattern[pos + 1]);
        pos += 2;
        return true;
    }
    if (pattern[pos] != u'"')
        return false;
    int end = pattern.indexOf(u'"', pos + 1);
    if (end < 0)
        end = pattern.size();
    literal.append(QStringView(pattern).mid(pos + 1, end - pos - 1));
    pos = end + 1;
    return true;
}

QStringList splitSections(const QString& expression)
{
    QStringList sections{QString()};
    for (int i = 0; i < expression.size();) {
        const int start = i;
        QString ignored;
        if (takeQuotedOrEscaped(expression, i, ignored)) {
            sections.last().append(QStringView(expression).mid(start, std::min(i, int(expression.size())) - start));
            continue;
        }
        if (expression[i] == u';') {
            if (sections.size() == maxSections)
                break;
            sections.append(QString());
        } else {
            sections.last().append(expression[i]);
        }
        ++i;
    }
    return sections;
}

PatternKind patternKind(const QString& expression)
{
    const QString bare = bareCharacters(expression);
    if (hasAnyOf(bare, u"@&"))
        return PatternKind::String;
    if (hasDateToken(bare))
        return PatternKind::Date;
    if (hasAnyOf(bare, u"0#"))
        return PatternKind::Number;
    if (hasAnyOf(bare, u"<>!"))
        return PatternKind::String;
    return PatternKind::Number;
}

} // namespace tessaro::format
