#include "platform/Like.h"

#include <tessaro/Error.h>

#include <vector>

namespace tessaro {
namespace {

[[noreturn]] void invalidPattern()
{
    throw Error(93, QStringLiteral("Invalid pattern string"));
}

struct CharRange {
    char16_t first;
    char16_t last;
};

// One step of a pattern. Every kind but Star stands for exactly one character of the text, which
// is what lets the matcher get by with a single backtracking point (the last star).
struct Token {
    enum Kind : quint8 { Literal, AnyChar, Digit, CharClass, Star };
    Kind kind = Literal;
    bool negated = false;
    char16_t literal = 0;
    quint32 firstRange = 0;
    quint32 rangeCount = 0;
};

char16_t upper(char16_t c)
{
    return static_cast<char16_t>(QChar::toUpper(static_cast<char32_t>(c)));
}

} // namespace

struct LikePattern::Compiled {
    std::vector<Token> tokens;
    std::vector<CharRange> ranges;
    bool ignoreCase = false;

    void read(const QString& pattern);
    qsizetype readList(const QString& pattern, qsizetype from);
    bool accepts(const Token& token, char16_t c) const;
};

void LikePattern::Compiled::read(const QString& pattern)
{
    for (qsizetype i = 0; i < pattern.size();) {
        const char16_t c = pattern[i].unicode();
        Token token;
        switch (c) {
        case u'[': i = readList(pattern, i + 1); continue;
        case u'*':
            // A run of stars is one star; keeping one keeps the matcher's work linear in the pattern.
            if (tokens.empty() || tokens.back().kind != Token::Star)
                tokens.push_back(Token{Token::Star});
            ++i;
            continue;
        case u'?': token.kind = Token::AnyChar; break;
        case u'#': token.kind = Token::Digit; break;
        default: token.literal = c; break;
        }
        tokens.push_back(token);
        ++i;
    }
}

// The list after a '[' at `from`; returns the position after its ']'.
qsizetype LikePattern::Compiled::readList(const QString& pattern, qsizetype from)
{
    const qsizetype close = pattern.indexOf(u']', from);
    if (close < 0)
        invalidPattern();
    Token token{Token::CharClass};
    qsizetype at = from;
    if (at < close && pattern[at] == u'!') {
        token.negated = true;
        ++at;
    }
    if (at == close && !token.negated)
        return close + 1; // "[]" is the empty text: it matches nothing and consumes nothing
    token.firstRange = static_cast<quint32>(ranges.size());
    while (at < close) {
        CharRange range{pattern[at].unicode(), pattern[at].unicode()};
        if (at + 2 < close && pattern[at + 1] == u'-') {
            range.last = pattern[at + 2].unicode();
            if (range.last < range.first)
                invalidPattern();
            at += 3;
        } else {
            ++at;
        }
        ranges.push_back(range);
    }
    token.rangeCount = static_cast<quint32>(ranges.size()) - token.firstRange;
    tokens.push_back(token);
    return close + 1;
}

bool LikePattern::Compiled::accepts(const Token& token, char16_t c) const
{
    if (ignoreCase)
        c = upper(c);
    switch (token.kind) {
    case Token::Literal: return c == token.literal;
    case Token::AnyChar: return true;
    case Token::Digit: return c >= u'0' && c <= u'9';
    case Token::CharClass: {
        bool inList = false;
        for (quint32 r = token.firstRange; r < token.firstRange + token.rangeCount && !inList; ++r)
            inList = c >= ranges[r].first && c <= ranges[r].last;
        return inList != token.negated;
    }
    case Token::Star: break;
    }
    return false;
}

LikePattern::LikePattern(const QString& pattern, Qt::CaseSensitivity sensitivity) : m_compiled(new Compiled)
{
    m_compiled->ignoreCase = sensitivity == Qt::CaseInsensitive;
    if (!m_compiled->ignoreCase) {
        m_compiled->read(pattern);
        return;
    }
    QString upperPattern = pattern;
    for (QChar& c : upperPattern)
        c = QChar(upper(c.unicode()));
    m_compiled->read(upperPattern);
}

LikePattern::~LikePattern() = default;
LikePattern::LikePattern(LikePattern&&) noexcept = default;
LikePattern& LikePattern::operator=(LikePattern&&) noexcept = default;

// The greedy wildcard walk: on a mismatch, go back to the last star and let it swallow one more
// character. An earlier star never needs revisiting, since the last one can absorb whatever an
// earlier one would have, so the work is at most the text's length times the pattern's.
bool LikePattern::matches(QStringView text) const
{
    const std::vector<Token>& tokens = m_compiled->tokens;
    const std::size_t n = static_cast<std::size_t>(text.size());
    const std::size_t m = tokens.size();
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t afterStar = none;
    std::size_t starText = 0;
    while (t < n) {
        if (p < m && tokens[p].kind == Token::Star) {
            afterStar = ++p;
            starText = t;
        } else if (p < m && m_compiled->accepts(tokens[p], text[static_cast<qsizetype>(t)].unicode())) {
            ++p;
            ++t;
        } else if (afterStar != none) {
            p = afterStar;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < m && tokens[p].kind == Token::Star)
        ++p;
    return p == m;
}

bool Like(const QString& text, const QString& pattern)
{
    return LikePattern(pattern).matches(text);
}

} // namespace tessaro
