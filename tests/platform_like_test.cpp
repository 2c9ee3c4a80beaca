#include "platform/format/Like.h"
#include "support/TestHelpers.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace tessaro;

TEST(Like, PatternsMatchByTheirRules)
{
    const bool anyCase = true;
    const struct { const char *text, *pattern; bool matches, anyCase = false; } cases[] = {
        // Worked examples; the rest of the rules, and which patterns are refused, are checked
        // against a reference in the fuzz tests.
        {"aBBBa", "a*a", true}, {"F", "[A-Z]", true}, {"F", "[!A-Z]", false}, {"a2a", "a#a", true},
        {"aM5b", "a[L-P]#[!c-e]", true}, {"BAT123khg", "B?T*", true}, {"CAT123khg", "B?T*", false},
        // Brackets hold '*' itself, '-' first or last, nothing ("[]" matches the empty text) or only
        // '!' (any character); ']' outside brackets is itself; '?' takes any character, ASCII or not.
        {"ab", "a[]b", true}, {"*", "[*]", true}, {"x", "[*]", false}, {"-", "[a-]", true}, {"b", "[a-]", false},
        {"!", "[!]", true}, {"]", "]", true}, {"a]", "[a]]", true}, {"ǅ", "?", true}, {"a", "A", false},
        {"BX", "[a-c]x", false},
        // Each end of '#' and of a range belongs to it; the characters beside the ends do not.
        {"0", "#", true}, {"9", "#", true}, {"/", "#", false}, {":", "#", false},
        {"L", "[L-P]", true}, {"P", "[L-P]", true}, {"K", "[L-P]", false}, {"Q", "[L-P]", false},
        // A run between stars starts after the whole run before it, not inside it.
        {"ab", "*ab*b*", false}, {"aab", "*aa*ab*", false}, {"abab", "*ab*b*", true},
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
    // Upper-casing turns [Z-a] into the descending [Z-A], which is refused like any malformed pattern.
    EXPECT_EQ(tessaro::test::errorNumberOf([] { LikePattern(QStringLiteral("[Z-a]"), Qt::CaseInsensitive); }), 93);
}

// Inputs that make a backtracking matcher explode: many stars, and long runs against a long cell
// that almost fit everywhere. The old walk took seconds on each; the bound only catches a hang.
TEST(Like, AdversarialPatternsFinish)
{
    constexpr qint64 kHangMs = 3000;
    const QString as(20000, u'a'), cell(100000, u'a'), manyStars = QStringLiteral("*a").repeated(60);
    const QString tail = QString(9999, u'a') + u'b', run = QString(5000, u'a') + u'b';
    const struct { QString text, pattern; bool matches; Qt::CaseSensitivity sensitivity = Qt::CaseSensitive; } cases[] = {
        {as, manyStars, true}, {as, manyStars + u'b', false},
        {as, QStringLiteral("*?").repeated(60) + QStringLiteral("[!a]"), false},
        {as + u'b', QString(500, u'*') + QStringLiteral("a*b"), true},
        {QStringLiteral("ab").repeated(5000), QStringLiteral("*ab").repeated(40) + u'c', false},
        {cell, u'*' + tail, false}, {cell + u'b', u'*' + tail, true},
        {cell, u'*' + run + u'*', false}, {cell + u'b' + cell, u'*' + run + u'*', true},
        {cell, QStringLiteral("*?") + QString(9999, u'?') + QStringLiteral("[!a]*"), false},
        {cell + u'B' + cell, QStringLiteral("*A") + QString(9998, u'a') + QStringLiteral("B*a"), true, Qt::CaseInsensitive},
    };
    QElapsedTimer timer;
    timer.start();
    for (const auto& c : cases)
        EXPECT_EQ(LikePattern(c.pattern, c.sensitivity).matches(c.text), c.matches)
            << c.text.size() << " characters Like " << qPrintable(c.pattern.left(40)) << "... of " << c.pattern.size();
    EXPECT_LT(timer.elapsed(), kHangMs);
}
