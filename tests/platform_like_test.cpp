#include "platform/format/Like.h"
#include "support/TestHelpers.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace tessaro;
using tessaro::test::errorNumberOf;

namespace {

// The rules written as plainly as possible: exponential, so only for short inputs.
bool referenceLike(QStringView text, QStringView pattern)
{
    if (pattern.isEmpty())
        return text.isEmpty();
    const QChar p = pattern[0];
    if (p == u'*')
        return referenceLike(text, pattern.mid(1)) || (!text.isEmpty() && referenceLike(text.mid(1), pattern));
    const qsizetype width = p == u'[' ? pattern.indexOf(u']') + 1 : 1;
    if (width == 2) // "[]" stands for the empty text
        return referenceLike(text, pattern.mid(2));
    if (text.isEmpty())
        return false;
    const QChar c = text[0];
    bool one = p == u'?' || (p == u'#' ? (c >= u'0' && c <= u'9') : c == p);
    if (p == u'[') {
        const bool negated = pattern[1] == u'!';
        bool listed = false;
        for (qsizetype i = negated ? 2 : 1; i < width - 1 && !listed; ++i) {
            const bool range = i + 2 < width - 1 && pattern[i + 1] == u'-';
            listed = range ? (c >= pattern[i] && c <= pattern[i + 2]) : c == pattern[i];
            i += range ? 2 : 0;
        }
        one = listed != negated;
    }
    return one && referenceLike(text.mid(1), pattern.mid(width));
}

TEST(Like, ClassicPatternsAndCaseInsensitiveOnes)
{
    const bool anyCase = true;
    const struct { const char *text, *pattern; bool matches, anyCase = false; } cases[] = {
        // The classic examples; the rest of the plain rules are checked against the reference below.
        {"aBBBa", "a*a", true}, {"F", "[A-Z]", true}, {"F", "[!A-Z]", false}, {"a2a", "a#a", true},
        {"aM5b", "a[L-P]#[!c-e]", true}, {"BAT123khg", "B?T*", true}, {"CAT123khg", "B?T*", false},
        // Brackets hold '*' itself, '-' first or last, nothing ("[]" matches the empty text) or only
        // '!' (any character); ']' outside brackets is itself; '?' takes any character, ASCII or not.
        {"ab", "a[]b", true}, {"*", "[*]", true}, {"x", "[*]", false}, {"-", "[a-]", true}, {"b", "[a-]", false},
        {"!", "[!]", true}, {"]", "]", true}, {"a]", "[a]]", true}, {"ǅ", "?", true}, {"a", "A", false},
        {"BX", "[a-c]x", false},
        // Without case both sides compare in upper case, one character at a time: "ß" has no
        // one-character upper case and stays one character.
        {"BX", "[a-c]x*", true, anyCase}, {"cxyz", "[a-c]x*", true, anyCase}, {"dx", "[a-c]x*", false, anyCase},
        {"STRAßE", "stra?e", true, anyCase},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " Like " + c.pattern);
        const Qt::CaseSensitivity sensitivity = c.anyCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
        EXPECT_EQ(LikePattern(QString::fromUtf8(c.pattern), sensitivity).matches(QString::fromUtf8(c.text)), c.matches);
    }
}

TEST(Like, MalformedPatternsFailWithError93)
{
    for (const char* pattern : {"[", "a[bc", "[z-a]", "*[!", "[9-0]*"}) {
        SCOPED_TRACE(pattern);
        EXPECT_EQ(errorNumberOf([&] { Like(QStringLiteral("abc"), QString::fromLatin1(pattern)); }), 93);
    }
    // Upper-casing turns [Z-a] into the descending [Z-A], as it would the classic way.
    EXPECT_EQ(errorNumberOf([] { LikePattern(QStringLiteral("[Z-a]"), Qt::CaseInsensitive); }), 93);
}

TEST(Like, AgreesWithThePlainRulesOnRandomShortInputs)
{
    const QString pieces[] = {"a", "b", "1", "-", "?", "*", "#", "[ab]", "[!a]", "[a-b]", "[]", "[-a]", "[!0-9]", "**"};
    const QString letters = QStringLiteral("ab1-");
    QRandomGenerator random(20240315);
    for (int round = 0; round < 20000; ++round) {
        QString pattern, text;
        for (int i = random.bounded(7); i > 0; --i)
            pattern += pieces[random.bounded(int(std::size(pieces)))];
        for (int i = random.bounded(9); i > 0; --i)
            text += letters[random.bounded(int(letters.size()))];
        ASSERT_EQ(Like(text, pattern), referenceLike(text, pattern))
            << qPrintable(text) << " Like " << qPrintable(pattern);
    }
}

// Patterns that make a backtracking matcher explode; each must come back (the test would hang).
TEST(Like, AdversarialPatternsFinish)
{
    const QString as(20000, u'a'), manyStars = QStringLiteral("*a").repeated(60);
    EXPECT_TRUE(Like(as, manyStars));
    EXPECT_FALSE(Like(as, manyStars + u'b'));
    EXPECT_FALSE(Like(as, QStringLiteral("*?").repeated(60) + QStringLiteral("[!a]")));
    EXPECT_TRUE(Like(as + u'b', QString(500, u'*') + QStringLiteral("a*b")));
    EXPECT_FALSE(Like(QStringLiteral("ab").repeated(5000), QStringLiteral("*ab").repeated(40) + u'c'));
}

} // namespace
