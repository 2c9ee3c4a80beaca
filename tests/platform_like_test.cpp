#include "platform/Like.h"
#include "support/TestHelpers.h"

#include <tessaro/Error.h>

#include <QRandomGenerator>
#include <QString>
#include <gtest/gtest.h>

using namespace tessaro;

namespace {

using tessaro::test::errorNumberOf;

// The rules written as plainly as possible: exponential, so only for short inputs.
bool referenceLike(QStringView text, QStringView pattern)
{
    if (pattern.isEmpty())
        return text.isEmpty();
    const QChar p = pattern[0];
    if (p == u'*')
        return referenceLike(text, pattern.mid(1)) || (!text.isEmpty() && referenceLike(text.mid(1), pattern));
    if (p == u'[') {
        const qsizetype close = pattern.indexOf(u']');
        QStringView list = pattern.mid(1, close - 1);
        const QStringView rest = pattern.mid(close + 1);
        if (list.isEmpty())
            return referenceLike(text, rest);
        if (text.isEmpty())
            return false;
        const bool negated = list[0] == u'!';
        if (negated)
            list = list.mid(1);
        bool inList = false;
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (i + 2 < list.size() && list[i + 1] == u'-') {
                inList = inList || (text[0] >= list[i] && text[0] <= list[i + 2]);
                i += 2;
            } else {
                inList = inList || text[0] == list[i];
            }
        }
        return inList != negated && referenceLike(text.mid(1), rest);
    }
    if (text.isEmpty())
        return false;
    const bool one = p == u'?' || (p == u'#' ? (text[0] >= u'0' && text[0] <= u'9') : text[0] == p);
    return one && referenceLike(text.mid(1), pattern.mid(1));
}

TEST(Like, ClassicPatterns)
{
    const struct {
        const char* text;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"aBBBa", "a*a", true},       {"F", "[A-Z]", true},          {"F", "[!A-Z]", false},
        {"a2a", "a#a", true},         {"aM5b", "a[L-P]#[!c-e]", true}, {"BAT123khg", "B?T*", true},
        {"CAT123khg", "B?T*", false}, {"ab", "a[]b", true},          {"", "", true},
        {"", "*", true},              {"", "?", false},              {"abc", "ab", false},
        {"ab", "abc", false},         {"a", "A", false},             {"*", "[*]", true},
        {"x", "[*]", false},          {"-", "[-a]", true},           {"-", "[a-]", true},
        {"b", "[a-]", false},         {"!", "[!]", true},            {"]", "]", true},
        {"a]", "[a]]", true},         {"7", "[!a-z]", true},         {"ǅ", "?", true},
        {"mississippi", "*sip*", true}, {"mississippi", "m*issip*", true}, {"abcabd", "*abd", true},
        {"aaa", "a*a*a*a", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " Like " + c.pattern);
        EXPECT_EQ(Like(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern)), c.matches);
    }
}

TEST(Like, MalformedPatternsFailWithError93)
{
    for (const char* pattern : {"[", "a[bc", "[z-a]", "*[!", "[9-0]*"}) {
        SCOPED_TRACE(pattern);
        EXPECT_EQ(errorNumberOf([&] { Like(QStringLiteral("abc"), QString::fromLatin1(pattern)); }), 93);
    }
    EXPECT_EQ(errorNumberOf([] { LikePattern(QStringLiteral("[")); }), 93);
}

TEST(Like, CaseInsensitivePatternComparesUpperCaseOneCharacterAtATime)
{
    const LikePattern pattern(QStringLiteral("[a-c]x*"), Qt::CaseInsensitive);
    EXPECT_TRUE(pattern.matches(u"BX"));
    EXPECT_TRUE(pattern.matches(u"cxyz"));
    EXPECT_FALSE(pattern.matches(u"dx"));
    EXPECT_TRUE(LikePattern(QStringLiteral("stra?e"), Qt::CaseInsensitive).matches(u"STRAßE"))
        << "ß has no one-character upper case and stays one character";
    EXPECT_FALSE(LikePattern(QStringLiteral("[a-c]x")).matches(u"BX"));
    // Upper-casing turns [Z-a] into the descending [Z-A], as it would the classic way.
    EXPECT_EQ(errorNumberOf([] { LikePattern(QStringLiteral("[Z-a]"), Qt::CaseInsensitive); }), 93);
}

TEST(Like, AgreesWithThePlainRulesOnRandomShortInputs)
{
    const QString pieces[] = {"a", "b", "1", "-", "?", "*", "#", "[ab]", "[!a]", "[a-b]", "[]", "[-a]", "[!0-9]", "**"};
    const QString letters = QStringLiteral("ab1-");
    QRandomGenerator random(20240315);
    for (int round = 0; round < 20000; ++round) {
        QString pattern;
        for (int i = random.bounded(7); i > 0; --i)
            pattern += pieces[random.bounded(int(std::size(pieces)))];
        QString text;
        for (int i = random.bounded(9); i > 0; --i)
            text += letters[random.bounded(int(letters.size()))];
        ASSERT_EQ(Like(text, pattern), referenceLike(text, pattern)) << qPrintable(text) << " Like " << qPrintable(pattern);
    }
}

// Patterns that make a backtracking matcher explode; each must come back (the test would hang).
TEST(Like, AdversarialPatternsFinish)
{
    const QString as(20000, u'a');
    const QString manyStars = QString(QStringLiteral("*a")).repeated(60);
    EXPECT_TRUE(Like(as, manyStars));
    EXPECT_FALSE(Like(as, manyStars + u'b'));
    EXPECT_FALSE(Like(as, QString(QStringLiteral("*?")).repeated(60) + QStringLiteral("[!a]")));
    EXPECT_TRUE(Like(as + u'b', QString(500, u'*') + QStringLiteral("a*b")));
    EXPECT_FALSE(Like(QString(QStringLiteral("ab")).repeated(5000), QString(QStringLiteral("*ab")).repeated(40) + u'c'));
}

} // namespace
