#include "platform/format/StringFormat.h"

#include "platform/format/PatternText.h"

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

} // namespace

QString formatText(const QString& text, const QStringList& sections)
{
    const QString& chosen = text.isEmpty() && sections.size() >= 2 ? sections[1] : sections.value(0);
    const StringSection section = parseStringSection(chosen);
    return layOut(section, withCaseRule(text, section.caseRule));
}

} // namespace tessaro::format
