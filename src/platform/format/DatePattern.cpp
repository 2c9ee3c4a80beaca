#include "platform/format/DatePattern.h"

#include "platform/format/PatternText.h"

#include <array>

namespace tessaro::format {
namespace {

struct RunToken {
    int length;
    DateToken token;
};

// The tokens of each letter, longest first.
std::vector<RunToken> tokensOf(QChar letter)
{
    using T = DateToken;
    switch (letter.toLower().unicode()) {
    case u'd': return {{6, T::LongDate}, {5, T::ShortDate}, {4, T::DayLongName}, {3, T::DayShortName}, {2, T::Day2}, {1, T::Day}};
    case u'm': return {{4, T::MonthLongName}, {3, T::MonthShortName}, {2, T::Month2}, {1, T::Month}};
    case u'y': return {{4, T::Year4}, {2, T::Year2}, {1, T::DayOfYear}};
    case u'w': return {{2, T::Week}, {1, T::Weekday}};
    case u'h': return {{2, T::Hour2}, {1, T::Hour}};
    case u'n': return {{2, T::Minute2}, {1, T::Minute}};
    case u's': return {{2, T::Second2}, {1, T::Second}};
    case u'q': return {{1, T::Quarter}};
    case u'c': return {{1, T::GeneralDate}};
    case u't': return {{5, T::LongTime}};
    default: return {};
    }
}

bool startsWithNoCase(const QString& pattern, int pos, QLatin1String word)
{
    return QStringView(pattern).mid(pos, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

// AM/PM, A/P (keeping the case they are written in) and AMPM; false when none starts at `pos`.
bool takeDesignator(const QString& pattern, int& pos, DatePattern& out)
{
    if (startsWithNoCase(pattern, pos, QLatin1String("am/pm"))) {
        out.items.push_back({DateToken::AmPm, pattern.mid(pos, 2), pattern.mid(pos + 3, 2)});
        pos += 5;
    } else if (startsWithNoCase(pattern, pos, QLatin1String("a/p"))) {
        out.items.push_back({DateToken::AmPm, pattern.mid(pos, 1), pattern.mid(pos + 2, 1)});
        pos += 3;
    } else if (startsWithNoCase(pattern, pos, QLatin1String("ampm"))) {
        out.items.push_back({DateToken::LocaleAmPm, {}, {}});
        pos += 4;
    } else {
        return false;
    }
    out.twelveHour = true;
    return true;
}

// A run of one letter, split into its tokens; false when the letter has none or the run is too
// short for any (a "t" or "tt" stays literal).
bool takeLetterRun(const QString& pattern, int& pos, DatePattern& out)
{
    const std::vector<RunToken> tokens = tokensOf(pattern[pos]);
    int end = pos;
    while (end < pattern.size() && pattern[end].toLower() == pattern[pos].toLower())
        ++end;
    if (tokens.empty() || end - pos < tokens.back().length)
        return false;
    while (end - pos >= tokens.back().length) {
        for (const RunToken& candidate : tokens) {
            if (end - pos >= candidate.length) {
                out.items.push_back({candidate.token, {}, {}});
                pos += candidate.length;
                break;
            }
        }
    }
    return true;
}

bool isFieldToken(DateToken token)
{
    return token != DateToken::Literal && token != DateToken::DateSeparator && token != DateToken::TimeSeparator;
}

// "m"/"mm" next to an hour or a seconds field mean minutes.
void settleMinutes(std::vector<DateItem>& items)
{
    const auto isHour = [](DateToken t) { return t == DateToken::Hour || t == DateToken::Hour2; };
    const auto isSecond = [](DateToken t) { return t == DateToken::Second || t == DateToken::Second2; };
    DateToken previous = DateToken::Literal;
    for (size_t i = 0; i < items.size(); ++i) {
        DateItem& item = items[i];
        if (!isFieldToken(item.token))
            continue;
        if (item.token == DateToken::Month || item.token == DateToken::Month2) {
            size_t next = i + 1;
            while (next < items.size() && !isFieldToken(items[next].token))
                ++next;
            const bool beforeSeconds = next < items.size() && isSecond(items[next].token);
            if (isHour(previous) || beforeSeconds)
                item.token = item.token == DateToken::Month ? DateToken::Minute : DateToken::Minute2;
        }
        previous = item.token;
    }
}

void appendLiteral(DatePattern& out, const QString& text)
{
    if (!out.items.empty() && out.items.back().token == DateToken::Literal)
        out.items.back().text += text;
    else
        out.items.push_back({DateToken::Literal, text, {}});
}

} // namespace

DatePattern parseDatePattern(const QString& pattern)
{
    DatePattern out;
    for (int pos = 0; pos < pattern.size();) {
        QString literal;
        if (takeQuotedOrEscaped(pattern, pos, literal)) {
            appendLiteral(out, literal);
        } else if (pattern[pos] == u'/' || pattern[pos] == u':') {
            out.items.push_back({pattern[pos] == u'/' ? DateToken::DateSeparator : DateToken::TimeSeparator, {}, {}});
            ++pos;
        } else if (!takeDesignator(pattern, pos, out) && !takeLetterRun(pattern, pos, out)) {
            appendLiteral(out, pattern.mid(pos++, 1));
        }
    }
    settleMinutes(out.items);
    return out;
}

} // namespace tessaro::format
