// Fuzz-style checks of every reader of outside input: random and mutated inputs (byte noise,
// truncations, bit flips of valid inputs) from fixed seeds. Each checks a property: nothing
// fails but with a tessaro::Error, what is written reads back the same, and a reader agrees with a
// plain reference. Sizes keep the whole file to a few seconds, also under the sanitizers.
#include "platform/format/Conversions.h"
#include "platform/format/DateConversion.h"
#include "platform/files/IniProfile.h"
#include "platform/format/Like.h"
#include "platform/format/Format.h"
#include "platform/format/ValueText.h"
#include "platform/sql/SqlDialect.h"
#include "platform/sql/SqlText.h"

#include "support/FormatCases.h"
#include "support/TestDatabase.h"
#include "support/TestHelpers.h"

#include <tessaro/PropertyBag.h>

#include <QDataStream>
#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace tessaro;

namespace {

// Runs `call`; anything thrown other than a tessaro::Error fails the test, naming `input`.
template <class Call>
void expectOnlyRuntimeErrors(const QString& input, Call&& call)
{
    try {
        call();
    } catch (const Error&) {
    } catch (const std::exception& other) {
        ADD_FAILURE() << "input " << qPrintable(input) << " threw " << other.what();
    } catch (...) {
        ADD_FAILURE() << "input " << qPrintable(input) << " threw a foreign exception";
    }
}

// One random change to `bytes`: a flipped bit, a cut, a byte put in, taken out or replaced, or a
// piece of it repeated.
QByteArray mutated(QByteArray bytes, QRandomGenerator& random)
{
    const int at = bytes.isEmpty() ? 0 : random.bounded(int(bytes.size()));
    const char byte = char(random.bounded(256));
    switch (bytes.isEmpty() ? 2 : random.bounded(6)) {
    case 0: bytes[at] = char(bytes[at] ^ (1 << random.bounded(8))); break;
    case 1: bytes.truncate(at); break;
    case 2: bytes.insert(at, byte); break;
    case 3: bytes.remove(at, 1); break;
    case 4: bytes[at] = byte; break;
    default: bytes.insert(at, bytes.mid(at, random.bounded(16))); break;
    }
    return bytes;
}

QByteArray mutatedTimes(QByteArray bytes, QRandomGenerator& random, int times)
{
    while (times-- > 0)
        bytes = mutated(bytes, random);
    return bytes;
}

QString mutatedText(const QString& text, QRandomGenerator& random)
{
    return QString::fromUtf8(mutatedTimes(text.toUtf8(), random, 1 + random.bounded(3)));
}

QByteArray noise(QRandomGenerator& random, int maxSize)
{
    QByteArray bytes(random.bounded(maxSize + 1), '\0');
    std::generate(bytes.begin(), bytes.end(), [&] { return char(random.bounded(256)); });
    return bytes;
}

template <class T, std::size_t N>
const T& anyOf(const T (&items)[N], QRandomGenerator& random)
{
    return items[random.bounded(int(N))];
}

} // namespace

// A bag written by serialise() reads back equal; damaged bytes are refused with Error 13 or read
// as some bag, never anything worse.
TEST(Fuzz, PropertyBagBytesReadBackOrFailCleanly)
{
    QRandomGenerator random(7001);
    const QVariant samples[] = {true, 0, -32768, 2147483647, qlonglong(1) << 40, 3.25, QString(),
        QStringLiteral("Tessaro \u00e8 \U0001F600"), QByteArray("\0\1", 2), QDate(2024, 3, 5), 1.5f};
    for (int round = 0; round < 300; ++round) {
        PropertyBag bag;
        for (int i = random.bounded(6); i > 0; --i)
            bag.WriteProperty(QStringLiteral("p%1").arg(random.bounded(8)), anyOf(samples, random), QStringLiteral("x"));
        const QByteArray bytes = bag.serialise();
        ASSERT_EQ(PropertyBag::deserialise(bytes).serialise(), bytes) << bytes.toHex().toStdString();
        for (const QByteArray& damaged : {mutatedTimes(bytes, random, 1), mutatedTimes(bytes, random, 2),
                 mutatedTimes(bytes, random, 3), noise(random, 64)})
            expectOnlyRuntimeErrors(QString::fromLatin1(damaged.toHex()), [&] { PropertyBag::deserialise(damaged); });
    }
}

// Bytes that claim huge or deeply nested contents are refused without exhausting memory or stack.
TEST(Fuzz, PropertyBagsRefuseClaimsBeyondTheirBytes)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Paged"), true, false);
    // The bag's header, then what `write` puts after it.
    const auto claim = [header = bag.serialise().left(6)](const std::function<void(QDataStream&)>& write) {
        QByteArray bytes = header;
        QDataStream out(&bytes, QIODevice::WriteOnly | QIODevice::Append);
        out.setVersion(QDataStream::Qt_6_0);
        return write(out), bytes;
    };
    const QByteArray deep = claim([](QDataStream& out) {
        out << quint32(1) << QStringLiteral("k");
        for (int level = 0; level < 200000; ++level)
            out << quint32(QMetaType::QVariantList) << qint8(0) << quint32(1);
    });
    const QByteArray huge = claim([](QDataStream& out) { out << quint32(0x7fffffff) << quint32(0x7ffffff0); });
    for (const QByteArray& bytes : {deep, huge})
        expectOnlyRuntimeErrors(QStringLiteral("%1 bytes").arg(bytes.size()), [&] { PropertyBag::deserialise(bytes); });
}

// The profile reader never fails on garbled files, and a file it keeps answers as a fresh copy
// of the same bytes does, however the file changes between lookups.
TEST(Fuzz, ProfileReaderAnswersGarbledFilesAsAFreshCopyDoes)
{
    QRandomGenerator random(7002);
    const QByteArray valid = "; settings\n[Language]\nCurrentLanguage=\"English\"\n[Strings]\nLE01=\"Tessaro\"\n"
                             "le02 = 'two' \n[strings]\nLE03=three\n[Other\nLE04=\xC3\xA8\n";
    const char* const sections[] = {"Strings", "language", "Other", "Missing", ""};
    const char* const keys[] = {"LE01", "le02", "LE03", "LE04", "CurrentLanguage", ""};
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("kept.ini"));
    for (int round = 0; round < 250; ++round) {
        const QByteArray bytes = round % 10 == 9 ? noise(random, 300) : mutatedTimes(valid, random, 1 + round % 4);
        test::writeFile(kept, bytes);
        QFile file(kept);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        // Sometimes dated back, so that the reader may keep it; sometimes to a date used before.
        if (random.bounded(2))
            file.setFileTime(QDateTime(QDate(2020, 1, 1 + random.bounded(3)), QTime(0, 0)), QFileDevice::FileModificationTime);
        file.close();
        const QString fresh = dir.filePath(QStringLiteral("fresh%1.ini").arg(round));
        test::writeFile(fresh, bytes);
        for (int lookup = 0; lookup < 6; ++lookup) {
            const QString section = anyOf(sections, random), key = anyOf(keys, random);
            const int size = random.bounded(2) ? 512 : random.bounded(8);
            ASSERT_EQ(profileString(section, key, "-", size, kept), profileString(section, key, "-", size, fresh))
                << bytes.toPercentEncoding().toStdString() << " [" << qPrintable(section) << "] " << qPrintable(key);
        }
    }
}

// Format takes any value and any expression: a runtime error at worst.
TEST(Fuzz, FormatSurvivesMutatedExpressionsAndValues)
{
    QRandomGenerator random(7003);
    const QString expressions[] = {"#,##0.00;(#,##0.00);\"zero\";\"null\"", "0.00E+00", "dddd d mmmm yyyy hh:nn:ss AM/PM",
        "@@@-@@!", ">&&&<", "Currency", "General Date", "00%", "\\\"q\\\"#", "ww/y/q c ttttt", "[$-409]0.0", "Yes/No"};
    const QVariant values[] = {0, -1.5, 1e300, -1e-300, QStringLiteral("12,345.5"), QStringLiteral("&HFF"),
        QDateTime(QDate(100, 1, 1), QTime(0, 0)), QDate(9999, 12, 31), QVariant(), QStringLiteral("abc"), true,
        qlonglong(-9223372036854775807LL), std::nan(""), INFINITY};
    test::LocaleScope locale("en_US");
    for (int round = 0; round < 3000; ++round) {
        const QString expression = mutatedText(anyOf(expressions, random), random);
        expectOnlyRuntimeErrors(expression, [&] { Format(anyOf(values, random), expression); });
    }
}

// CDbl reads back what CStr writes, numbers of any magnitude in three locales; mutated texts (and
// hexadecimal ones) fail cleanly.
TEST(Fuzz, NumbersReadBackAsWritten)
{
    QRandomGenerator random(7004);
    for (const char* name : {"en_US", "it_IT", "fr_FR"}) {
        test::LocaleScope locale(name);
        for (int round = 0; round < 2000; ++round) {
            const double value = (random.generateDouble() - 0.5) * std::pow(10.0, random.bounded(40) - 20);
            const QString text = CStr(value);
            const double back = CDbl(text);
            // CStr keeps 15 significant digits.
            ASSERT_NEAR(back, value, std::fabs(value) * 1e-14) << name << " " << qPrintable(text);
            ASSERT_EQ(CStr(back), text) << name;
            // The totals' reader of many cells gives CDbl's own number.
            ASSERT_EQ(NumberTextReader().read(text.toUtf8().toStdString()), back) << name << " " << qPrintable(text);
            const QString damaged = mutatedText(random.bounded(4) ? text : QStringLiteral("&H%1").arg(random.bounded(1 << 30), 0, 16), random);
            expectOnlyRuntimeErrors(damaged, [&] { CDbl(damaged); });
        }
    }
}

// CDate reads back what CStr writes, dates and times across the whole range in three locales;
// mutated texts fail cleanly.
TEST(Fuzz, DatesReadBackAsWritten)
{
    QRandomGenerator random(7005);
    const qint64 first = QDate(100, 1, 1).toJulianDay(), last = QDate(9999, 12, 31).toJulianDay();
    for (const char* name : {"en_US", "it_IT", "de_DE"}) {
        test::LocaleScope locale(name);
        for (int round = 0; round < 700; ++round) {
            const QDate date = QDate::fromJulianDay(first + qint64(random.bounded(double(last - first))));
            const QTime time = random.bounded(3) ? QTime(random.bounded(24), random.bounded(60), random.bounded(60)) : QTime(0, 0);
            const QString text = CStr(QDateTime(date, time));
            QDateTime back;
            ASSERT_EQ(test::errorNumberOf([&] { back = CDate(text); }), 0) << name << " " << qPrintable(text);
            ASSERT_EQ(QDateTime(back.date(), back.time()), QDateTime(date, time)) << name << " " << qPrintable(text);
            const QString damaged = mutatedText(text, random);
            expectOnlyRuntimeErrors(damaged, [&] { CDate(damaged); });
        }
    }
}

namespace {

// The pattern language rewritten as a regular expression, a reference independent of Like's
// own reading; "[]" stands for nothing and "[!]" for any character.
std::optional<QRegularExpression> likeAsRegex(const QString& pattern)
{
    const auto code = [](QChar c) { return QStringLiteral("\\x{%1}").arg(c.unicode(), 0, 16); };
    QString regex = QStringLiteral("\\A(?:");
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const qsizetype close = c == u'[' ? pattern.indexOf(u']', i + 1) : i;
        if (close < 0)
            return std::nullopt;
        if (c != u'[') {
            regex += c == u'*' ? QStringLiteral(".*") : c == u'?' ? QStringLiteral(".")
                   : c == u'#' ? QStringLiteral("[0-9]") : QRegularExpression::escape(c);
            continue;
        }
        QString list = pattern.mid(i + 1, close - i - 1), members;
        const bool negated = list.startsWith(u'!');
        for (qsizetype k = negated ? 1 : 0; k < list.size(); ++k) {
            const bool range = k + 2 < list.size() && list[k + 1] == u'-';
            if (range && list[k + 2] < list[k])
                return std::nullopt;
            members += range ? code(list[k]) + u'-' + code(list[k + 2]) : code(list[k]);
            k += range ? 2 : 0;
        }
        regex += members.isEmpty() ? (negated ? QStringLiteral("[\\s\\S]") : QString())
                                   : (negated ? QStringLiteral("[^") : QStringLiteral("[")) + members + u']';
        i = close;
    }
    return QRegularExpression(regex + QStringLiteral(")\\z"), QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

// Like agrees with the regular-expression reference on random and mutated patterns, with or
// without case (both sides upper-cased one character at a time), and a pattern it refuses is one
// the reference cannot read either. Some rounds take long texts and long runs between stars, so
// that runs are found, missed and found late.
TEST(Fuzz, LikeAgreesWithARegularExpressionReference)
{
    QRandomGenerator random(7006);
    const QString pieces[] = {"a", "b", "A", "1", "-", "?", "*", "#", "[ab]", "[!a]", "[a-b]", "[]", "[!]", "[-a]",
        "[!0-9]", "**", "[b-a]", "[", "]", "\u00e8", "aab", "aaaaaaaa", "abababab"};
    // Every digit, and the neighbours of each range end ('/' and ':' round the digits, '`' and 'c'
    // round [a-b]), so that an end left out of a class shows.
    const QString letters = QStringLiteral("abAB0123456789/:`c-]\u00e8\u00c8aaab");
    const auto upperEach = [](QString text) {
        for (QChar& c : text)
            c = QChar(char16_t(QChar::toUpper(char32_t(c.unicode()))));
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        const bool longRound = round % 8 == 0, anyCase = random.bounded(2);
        QString pattern, text;
        for (int i = random.bounded(longRound ? 25 : 8); i > 0; --i)
            pattern += anyOf(pieces, random);
        if (random.bounded(4) == 0)
            pattern = mutatedText(pattern, random);
        for (int i = random.bounded(longRound ? 400 : 10); i > 0; --i)
            text += letters[random.bounded(int(letters.size()))];
        const std::optional<QRegularExpression> reference = likeAsRegex(anyCase ? upperEach(pattern) : pattern);
        bool matched = false;
        const int error = test::errorNumberOf(
            [&] { matched = LikePattern(pattern, anyCase ? Qt::CaseInsensitive : Qt::CaseSensitive).matches(text); });
        ASSERT_EQ(error, reference ? 0 : 93) << qPrintable(pattern) << (anyCase ? " (any case)" : "");
        if (reference)
            ASSERT_EQ(matched, reference->match(anyCase ? upperEach(text) : text).hasMatch())
                << qPrintable(text) << (anyCase ? " Like (any case) " : " Like ") << qPrintable(pattern);
    }
}

// Built queries count the rows of the statement they wrap, whatever its text holds (ordering in
// strings, comments and subqueries, a final limit); mutated statements never break the text
// handling, which only rearranges the statement's own text.
TEST(Fuzz, BuiltQueriesCountWhatTheStatementReturns)
{
    QRandomGenerator random(7007);
    const QString tails[] = {"", " ORDER BY name", " ORDER BY id DESC LIMIT 5", " ORDER BY id LIMIT 3 OFFSET 2",
        " -- ORDER BY id\n", " /* ORDER BY */ ORDER BY (SELECT 1)", " ORDER BY id ;; ", " LIMIT 4"};
    const QString wheres[] = {"", " WHERE name <> 'ORDER BY'", " WHERE id IN (SELECT id FROM t ORDER BY id LIMIT 10)",
        " WHERE \"name\" LIKE 'row 1%'", " WHERE id > 10 -- order by\n"};
    test::TestDatabase database;
    database.createNumbered(QStringLiteral("t"), 30);
    const auto dialect = sql::SqlDialect::forConnection(database.db());
    const auto firstValue = [&](const QString& sql) {
        QSqlQuery query(database.db());
        return query.exec(sql) && query.next() ? query.value(0).toLongLong() : -1;
    };
    for (int round = 0; round < 300; ++round) {
        const QString statement = QStringLiteral("SELECT id, name FROM t") + anyOf(wheres, random) + anyOf(tails, random);
        const QString body = sql::subqueryBody(statement);
        const qint64 rows = firstValue(QStringLiteral("SELECT COUNT(*) FROM (") + body + QStringLiteral("\n)"));
        ASSERT_GE(rows, 0) << qPrintable(statement);
        ASSERT_EQ(firstValue(dialect->count(sql::withoutFinalOrdering(body), 2)), rows) << qPrintable(statement);
        const QString damaged = mutatedText(statement, random);
        const QString stripped = sql::withoutFinalOrdering(sql::subqueryBody(damaged));
        ASSERT_TRUE(stripped.size() <= damaged.size() + 1 && dialect->page(stripped, 10, 5).contains(stripped))
            << qPrintable(damaged);
    }
}
