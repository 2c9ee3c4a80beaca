// Like on long texts and long patterns: the same answers as the backtracking walk it replaced,
// without its running time.
#include "platform/format/Like.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <vector>

using namespace tessaro;

namespace {

// One step of a pattern as the reference reads it: a star, or a test of one character.
struct Step {
    bool star = false;
    QString list; // the characters a single step accepts, as ranges "aa", "az", ...
    bool negated = false;
    bool any = false;
};

// Reads the patterns the tests below build (no malformed ones): '?', '#', lists, literals, '*'.
std::vector<Step> stepsOf(const QString& pattern)
{
    std::vector<Step> steps;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        Step step;
        if (c == u'*') {
            step.star = true;
        } else if (c == u'?') {
            step.any = true;
        } else if (c == u'#') {
            step.list = QStringLiteral("09");
        } else if (c == u'[') {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            QString inside = pattern.mid(i + 1, close - i - 1);
            i = close;
            step.negated = inside.startsWith(u'!');
            inside.remove(0, step.negated ? 1 : 0);
            if (inside.isEmpty() && !step.negated)
                continue; // "[]" stands for nothing
            for (qsizetype k = 0; k < inside.size(); ++k) {
                const bool range = k + 2 < inside.size() && inside[k + 1] == u'-';
                step.list += inside[k];
                step.list += range ? inside[k + 2] : inside[k];
                k += range ? 2 : 0;
            }
        } else {
            step.list = QString(2, c);
        }
        steps.push_back(step);
    }
    return steps;
}

bool accepts(const Step& step, QChar c)
{
    if (step.any)
        return true;
    bool listed = false;
    for (qsizetype k = 0; k + 1 < step.list.size() && !listed; k += 2)
        listed = c >= step.list[k] && c <= step.list[k + 1];
    return listed != step.negated;
}

// The walk Like used before: on a mismatch, go back to the last star and let it take one more
// character. Correct, but the text's length times the pattern's at worst.
bool backtrackingLike(const QString& text, const QString& pattern)
{
    const std::vector<Step> steps = stepsOf(pattern);
    std::size_t t = 0, p = 0, afterStar = 0, starText = 0;
    bool starSeen = false;
    const std::size_t n = std::size_t(text.size()), m = steps.size();
    while (t < n) {
        if (p < m && steps[p].star) {
            afterStar = ++p;
            starText = t;
            starSeen = true;
        } else if (p < m && accepts(steps[p], text[qsizetype(t)])) {
            ++p, ++t;
        } else if (starSeen) {
            p = afterStar;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < m && steps[p].star)
        ++p;
    return p == m;
}

QString upperEach(QString text)
{
    for (QChar& c : text)
        c = QChar(char16_t(QChar::toUpper(char32_t(c.unicode()))));
    return text;
}

} // namespace

// Long texts over a small alphabet and patterns of long runs between stars, so that runs are
// found, missed and found late; both cases of sensitivity (without case, both sides upper-cased
// one character at a time).
TEST(LikeSegments, AgreesWithTheBacktrackingWalkOnLongRandomInputs)
{
    QRandomGenerator random(424242);
    const QString pieces[] = {"a", "b", "ab", "aab", "B", "?", "#", "1", "[ab]", "[!a]", "[a-b]", "[]", "[!]", "*", "*",
        "aaaaaaaa", "abababab"};
    const QString letters = QStringLiteral("aab1B");
    for (int round = 0; round < 3000; ++round) {
        QString pattern, text;
        for (int i = random.bounded(25); i > 0; --i)
            pattern += pieces[random.bounded(int(std::size(pieces)))];
        const int length = random.bounded(2) ? random.bounded(40) : random.bounded(400);
        for (int i = 0; i < length; ++i)
            text += letters[random.bounded(int(letters.size()))];
        const bool anyCase = random.bounded(2);
        const bool expected = anyCase ? backtrackingLike(upperEach(text), upperEach(pattern)) : backtrackingLike(text, pattern);
        ASSERT_EQ(LikePattern(pattern, anyCase ? Qt::CaseInsensitive : Qt::CaseSensitive).matches(text), expected)
            << qPrintable(text) << (anyCase ? " Like (any case) " : " Like ") << qPrintable(pattern);
    }
}

// Long runs against a long cell: a 10,000-character tail after one star, and runs between stars
// that almost fit everywhere. The walk took seconds on each; the bound only catches a hang.
TEST(LikeSegments, LongRunsOverALongCellFinish)
{
    constexpr qint64 kHangMs = 3000;
    const QString cell = QString(100000, u'a');
    const QString tail = QString(9999, u'a') + u'b';
    const QString run = QString(5000, u'a') + u'b';
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(Like(cell, u'*' + tail));
    EXPECT_TRUE(Like(cell + u'b', u'*' + tail));
    EXPECT_FALSE(Like(cell, u'*' + run + u'*'));
    EXPECT_TRUE(Like(cell + u'b' + cell, u'*' + run + u'*'));
    EXPECT_FALSE(Like(cell, QStringLiteral("*?") + QString(9999, u'?') + QStringLiteral("[!a]*")));
    EXPECT_TRUE(LikePattern(QStringLiteral("*A") + QString(9998, u'a') + QStringLiteral("B*a"), Qt::CaseInsensitive).matches(cell + u'B' + cell));
    EXPECT_LT(timer.elapsed(), kHangMs);
}
