#include "platform/format/Like.h"

#include <tessaro/Error.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace tessaro {
namespace {

[[noreturn]] void invalidPattern()
{
    throw Error(Error::InvalidPattern, QStringLiteral("Invalid pattern string"));
}

struct CharRange {
    char16_t first;
    char16_t last;
};

// One step of a pattern. Every kind but Star stands for exactly one character of the text, which
// is what lets the matcher place the runs between stars one after another.
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

constexpr int kWordBits = 64;
// Masks kept per distinct character of the text before the cache starts over; bounds its
// memory on texts of many distinct characters.
constexpr qsizetype kMaskCacheWords = 1 << 20;

using Bits = std::vector<quint64>;

} // namespace

struct LikePattern::Compiled {
    std::vector<Token> tokens;
    std::vector<CharRange> ranges;
    bool ignoreCase = false;

    void read(const QString& pattern)
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
    qsizetype readList(const QString& pattern, qsizetype from)
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

    bool accepts(const Token& token, char16_t c) const
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

    using TokenIt = std::vector<Token>::const_iterator;

    // Whether the tokens [first, last) accept the text's characters from `at` on, one each.
    bool fitsAt(QStringView text, qsizetype at, TokenIt first, TokenIt last) const
    {
        for (auto token = first; token != last; ++token, ++at) {
            if (!accepts(*token, text[at].unicode()))
                return false;
        }
        return true;
    }

    // The leftmost start in [from, limit) of the tokens [first, last) lying wholly before
    // `limit`, or -1.
    qsizetype leftmostPlace(QStringView text, qsizetype from, qsizetype limit,
                                                   TokenIt first, TokenIt last) const
    {
        const qsizetype count = last - first;
        const qsizetype words = (count + kWordBits - 1) / kWordBits;
        // Bit k of a character's mask: token k accepts it. Bit k of `state`: tokens 0..k accept the
        // k + 1 characters ending here.
        std::unordered_map<char16_t, Bits> masks;
        const auto maskOf = [&](char16_t c) -> const Bits& {
            auto found = masks.find(c);
            if (found != masks.end())
                return found->second;
            if (qsizetype(masks.size()) * words >= kMaskCacheWords)
                masks.clear();
            Bits mask(std::size_t(words), 0);
            for (qsizetype k = 0; k < count; ++k) {
                if (accepts(first[k], c))
                    mask[std::size_t(k / kWordBits)] |= quint64(1) << (k % kWordBits);
            }
            return masks.emplace(c, std::move(mask)).first->second;
        };
        const std::size_t lastWord = std::size_t((count - 1) / kWordBits);
        const quint64 lastBit = quint64(1) << ((count - 1) % kWordBits);
        Bits state(std::size_t(words), 0);
        for (qsizetype at = from; at < limit; ++at) {
            const Bits& mask = maskOf(text[at].unicode());
            quint64 carry = 1;
            for (std::size_t w = 0; w < state.size(); ++w) {
                const quint64 shifted = (state[w] << 1) | carry;
                carry = state[w] >> (kWordBits - 1);
                state[w] = shifted & mask[w];
            }
            if (state[lastWord] & lastBit)
                return at - count + 1;
        }
        return -1;
    }
};

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

// Matching goes segment by segment: the runs of one-character tokens between stars. Every such
// token takes exactly one character, so the first segment must sit at the start of the text, the
// last one at its end, and each one between may take its leftmost place after the one before:
// a later place only leaves less room for the rest. The leftmost place is found with a bit per
// token of the segment (shift-and), so the work is about the text's length times the segment's
// length over 64, with no backtracking whatever the pattern.
bool LikePattern::matches(QStringView text) const
{
    const Compiled& compiled = *m_compiled;
    const std::vector<Token>& tokens = compiled.tokens;
    const auto isStar = [](const Token& token) { return token.kind == Token::Star; };
    const auto firstStar = std::find_if(tokens.begin(), tokens.end(), isStar);
    const qsizetype length = text.size();
    if (firstStar == tokens.end())
        return length == qsizetype(tokens.size()) && compiled.fitsAt(text, 0, tokens.begin(), tokens.end());
    const auto lastStar = std::find_if(tokens.rbegin(), tokens.rend(), isStar).base() - 1;
    const qsizetype headLength = firstStar - tokens.begin();
    const qsizetype tailLength = tokens.end() - (lastStar + 1);
    if (headLength + tailLength > length || !compiled.fitsAt(text, 0, tokens.begin(), firstStar)
        || !compiled.fitsAt(text, length - tailLength, lastStar + 1, tokens.end()))
        return false;
    qsizetype from = headLength;
    const qsizetype limit = length - tailLength;
    for (auto segment = firstStar + 1; segment < lastStar;) {
        const auto segmentEnd = std::find_if(segment, lastStar, isStar);
        const qsizetype found = compiled.leftmostPlace(text, from, limit, segment, segmentEnd);
        if (found < 0)
            return false;
        from = found + (segmentEnd - segment);
        segment = segmentEnd + 1;
    }
    return true;
}

bool Like(const QString& text, const QString& pattern)
{
    return LikePattern(pattern).matches(text);
}

} // namespace tessaro
