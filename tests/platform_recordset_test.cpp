// The result set and connection on a real SQLite database, and the reading of SQLite rows through
// SQLite itself, which must give what QSqlQuery gives or step aside.
#include <tessaro/Recordset.h>

#include "data/CellText.h"
#include "platform/sql/Connection.h"
#include "platform/sql/RecordsetRows.h"
#include "platform/sql/ResultSource.h"
#include "platform/sql/SqliteRows.h"
#include "support/TestDatabase.h"
#include "support/TestHelpers.h"

#include <tessaro/clsColonna.h>

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using tessaro::Error;
using tessaro::Recordset;
using tessaro::test::errorNumberOf;
using tessaro::test::errorTextOf;

namespace {

const QString kAscending = QStringLiteral("SELECT id, name FROM items ORDER BY id");

// "<field 0> <field 1>" of the rows from the cursor's position until Eof or `limit` rows.
QStringList readRows(Recordset& set, int limit = -1)
{
    QStringList rows;
    for (; rows.size() != limit && !set.Eof(); set.MoveNext())
        rows << set.FieldValue(0).toString() + ' ' + set.FieldValue(1).toString();
    return rows;
}

// The warnings logged in the category "tessaro.sql" while it lives.
struct SqlWarnings {
    inline static QStringList messages;
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& at,
                                                                const QString& text) {
        if (type == QtWarningMsg && qstrcmp(at.category, "tessaro.sql") == 0)
            messages << text;
    });
    SqlWarnings() { messages.clear(); }
    ~SqlWarnings() { qInstallMessageHandler(previous); }
};

struct RecordsetTest : ::testing::Test {
    tessaro::test::TestDatabase database;
    QSqlDatabase& db = database.db();

    // Replaces the items table with rows 1..count: id, "row <id>", id * 1.5.
    void fillItems(int count) { database.exec("DROP TABLE IF EXISTS items"), database.createNumbered("items", count); }
    std::shared_ptr<Recordset> open(const QString& sql)
    {
        auto set = std::make_shared<Recordset>();
        return set->Open(sql, db), set;
    }
    // Reads a run longer than the cached ones: the rows come straight from SQLite, unconverted.
    void readLongRun(const QString& sql, const tessaro::sql::RowVisitor& visit)
    {
        tessaro::sql::RecordsetRows::readOn(*open(sql), tessaro::sql::RecordsetRows::kLongestCachedRun + 1, visit);
    }
};

// The cell writers of a plain and of a numeric column.
struct Writers {
    std::shared_ptr<tessaro::clsColonna> plainColumn = std::make_shared<tessaro::clsColonna>(),
                                         numericColumn = std::make_shared<tessaro::clsColonna>();
    const tessaro::CellTextWriter plain{plainColumn}, numeric{(numericColumn->setTipoCampo(1), numericColumn)};
};

} // namespace

TEST_F(RecordsetTest, PagesOfEachQueryStartWhereTheyShould)
{
    struct Case {
        const char* query;
        int tableRows, pageSize, page;
        int count, pageCount; // the query's rows; ceil(count / pageSize)
        int firstId;          // of row (page - 1) * pageSize + 1 in the query's order
    };
    const char* byId = "SELECT id, name FROM items ORDER BY id";
    const Case cases[] = {
        {byId, 25, 10, 3, 25, 3, 21}, {byId, 30, 10, 3, 30, 3, 21}, {byId, 5, 10, 1, 5, 1, 1},
        {"SELECT id, name FROM items ORDER BY id DESC", 25, 10, 2, 25, 3, 15},
        {"SELECT id, name FROM items ORDER BY name DESC", 25, 10, 1, 25, 3, 9}, // "row 9" sorts last
        {"SELECT id, name FROM items ORDER BY id DESC LIMIT 7 OFFSET 3", 25, 5, 2, 7, 2, 17},
        {"SELECT id, name FROM items order\n by id LIMIT 100 OFFSET 20", 25, 10, 1, 5, 1, 21},
        {"SELECT DISTINCT amount > 10, 0 FROM items ORDER BY 1", 25, 10, 1, 2, 1, 0},
        // Counting drops only the final top-level ordering, never one in a literal, a comment,
        // a window or a subquery.
        {"SELECT id, name FROM items WHERE name <> 'x ORDER BY y' /* ORDER BY a */ ORDER BY id DESC", 25, 10, 3, 25, 3,
            5},
        {"SELECT id, row_number() OVER (ORDER BY id DESC) FROM items ORDER BY id", 25, 10, 2, 25, 3, 11},
        {"WITH c AS (SELECT id, name FROM items ORDER BY id DESC LIMIT 3) SELECT * FROM c ORDER BY id -- last", 25, 2,
            2, 3, 2, 25},
        // Endings must not stop the statement standing as a subquery; one that cannot stand as
        // one is read whole (here the columns' numbers from 0).
        {"SELECT 1, 2 ;\n  \t", 1, 10, 1, 1, 1, 1}, {"SELECT 1, 2;;", 1, 10, 1, 1, 1, 1},
        {"SELECT 1, 2 -- one", 1, 10, 1, 1, 1, 1}, {"PRAGMA table_info(items);", 1, 2, 2, 3, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.query << ", page " << c.page << " of size " << c.pageSize);
        fillItems(c.tableRows);
        auto set = open(QString::fromLatin1(c.query));
        set->setPageSize(c.pageSize);
        EXPECT_EQ((QList<int>{set->RecordCount(), set->PageCount()}), (QList<int>{c.count, c.pageCount}));
        set->setAbsolutePage(c.page);
        // Reading goes on to the end of the result, not of the page.
        EXPECT_EQ((QList<int>{set->AbsolutePage(), set->FieldValue(0).toInt(), int(readRows(*set).size())}),
                  (QList<int>{c.page, c.firstId, c.count - (c.page - 1) * c.pageSize}));
        const auto refusal = [&](int page) { return errorNumberOf([&] { set->setAbsolutePage(page); }); };
        EXPECT_EQ((QList<int>{refusal(0), refusal(-2), refusal(c.pageCount + 1),
                      errorNumberOf([&] { set->setPageSize(0); })}), QList<int>(4, 3001));
        // After the last row, where the refusals left the cursor.
        EXPECT_EQ((QList<int>{set->PageSize(), set->AbsolutePage()}), (QList<int>{c.pageSize, -3}));
    }
}

// Repeated names stay as the statement gives them; indexes run from 0.
TEST_F(RecordsetTest, AnEmptyResultStillNamesItsFields)
{
    fillItems(3);
    auto set = open(QStringLiteral("SELECT a.name, b.id, a.id FROM items a JOIN items b ON a.id = b.id WHERE a.id < 0"));
    EXPECT_EQ((QVariantList{set->Bof(), set->Eof(), set->RecordCount(), set->PageCount(), set->FieldCount(),
                  set->FieldName(1), set->FieldName(2), set->Fields().Item(0).Name()}),
        (QVariantList{true, true, 0, 0, 3, QStringLiteral("id"), QStringLiteral("id"), QStringLiteral("name")}));
    EXPECT_EQ((QList<int>{errorNumberOf([&] { set->MoveNext(); }), errorNumberOf([&] { set->FieldValue(0); }),
                  errorNumberOf([&] { set->setAbsolutePage(1); }), errorNumberOf([&] { set->Fields().Item(3); }),
                  errorNumberOf([&] { set->FieldName(-1); }), errorNumberOf([&] { set->FieldValue(3); })}),
        (QList<int>{3021, 3021, 3001, 3265, 3265, 3265}));
    EXPECT_TRUE(set->Clone()->Eof());
}

TEST_F(RecordsetTest, FailingStatementCarriesTheDatabaseNumberAndMessage)
{
    fillItems(3);
    // The last one fails differently as a subquery; the statement's own error is the one shown.
    for (const char* text : {"SELEC * FROM items", "SELECT * FROM missing_table", "PRAGMA table_info("}) {
        SCOPED_TRACE(text);
        const QSqlError expected = QSqlQuery(QString::fromLatin1(text), db).lastError();
        ASSERT_FALSE(expected.databaseText().isEmpty());
        Recordset set;
        SqlWarnings warnings;
        EXPECT_EQ(errorTextOf([&] { set.Open(QString::fromLatin1(text), db); }),
                  QString::number(expected.nativeErrorCode().toInt()) + ' ' + expected.databaseText());
        EXPECT_EQ(set.State(), 0);
        // The database's own error stays with the closed set, and is logged once with the statement.
        EXPECT_EQ((QStringList{set.LastDatabaseError().databaseText(), set.LastDatabaseError().nativeErrorCode()}),
                  (QStringList{expected.databaseText(), expected.nativeErrorCode()}));
        ASSERT_EQ(SqlWarnings::messages.size(), 1);
        const QString& warning = SqlWarnings::messages[0];
        EXPECT_TRUE(warning.contains(expected.databaseText()) && warning.contains(text)) << warning.toStdString();
        set.Open(QStringLiteral("SELECT id FROM items"), db);
        EXPECT_EQ(set.RecordCount(), 3) << "a failed open leaves the set ready for another";
        EXPECT_FALSE(set.LastDatabaseError().isValid()) << "an Open starts afresh";
    }
    // A closed connection: the connection's word is kept.
    db.close();
    Recordset set;
    EXPECT_EQ(errorNumberOf([&] { set.Open(kAscending, db); }), 3709);
    EXPECT_EQ(set.LastDatabaseError().type(), QSqlError::ConnectionError);
}

TEST_F(RecordsetTest, RoomIsReservedOnlyForRowsThatExist)
{
    fillItems(3);
    using tessaro::sql::ResultSource;
    // Read whole at open, with no limit; and a first block of 256 rows that holds three.
    for (const char* text : {"PRAGMA table_info(items)", "SELECT id, name, amount FROM items"}) {
        const auto block = ResultSource::open(QString::fromLatin1(text), db)->blockAt(0, ResultSource::kFirstBlockRows);
        ASSERT_TRUE(block);
        EXPECT_TRUE(block->rows == 3 && block->cells.capacity() < 64) << text << ": " << block->cells.capacity();
    }
}

// A run that fits on a screen is read from the cursor's cached blocks, the ones the cursor and the
// pages around it read too; a longer run is read afresh in one pass. random() tells a cached row
// from one read again.
TEST_F(RecordsetTest, OnlyAShortRunReadsTheCachedBlocks)
{
    fillItems(3000);
    const int longest = tessaro::sql::RecordsetRows::kLongestCachedRun;
    const struct { int pageSize, page, rows; bool cached; } cases[] = {
        {10, 1, 10, true}, {20, 3, longest, true}, {10, 1, longest + 1, false}, {500, 4, longest + 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows from page " << c.page << " of " << c.pageSize);
        auto set = open(QStringLiteral("SELECT id, random() FROM items ORDER BY id"));
        set->setPageSize(c.pageSize);
        set->setAbsolutePage(c.page);
        const int first = (c.page - 1) * c.pageSize + 1;
        QList<qint64> ids, run, cursor;
        tessaro::sql::RecordsetRows::readOn(*set, c.rows, [&](const tessaro::sql::RowValues& row) {
            ids << row.value(0).toLongLong();
            run << row.value(1).toLongLong();
        });
        ASSERT_EQ(ids.size(), c.rows);
        EXPECT_EQ((QList<qint64>{ids.front(), ids.back(), set->FieldValue(0).toLongLong()}),
                  (QList<qint64>{first, first + c.rows - 1, first + c.rows}))
            << "the cursor stands after the run";
        set->setAbsolutePage(c.page);
        for (int r = 0; r < c.rows; ++r, set->MoveNext())
            cursor << set->FieldValue(1).toLongLong();
        EXPECT_EQ(run == cursor, c.cached);
    }
}

TEST_F(RecordsetTest, InvalidUtf8ReadsAlikeByEveryRoute)
{
    // A lone continuation byte, truncated sequences, overlong forms, a surrogate, a code point
    // beyond U+10FFFF, lead bytes never used, a noncharacter, a stray byte after valid text; valid.
    const QByteArray cases[] = {"a\x80" "b", "a\xC3", "\xE2\x82z", "\xC0\xAF", "x\xE0\x80\x80", "\xED\xA0\x80!",
        "\xF4\x90\x80\x80", "\xFF\xFEok", "\xEF\xBF\xBF", "caf\xC3\xA9\xA9 \xF0\x9F\x98\x80", "citt\xC3\xA0 \xE2\x82\xAC"};
    database.exec(QStringLiteral("CREATE TABLE texts (id INTEGER PRIMARY KEY, t TEXT)"));
    for (int i = 0; i < int(std::size(cases)); ++i)
        database.exec(QStringLiteral("INSERT INTO texts VALUES (%1, CAST(X'%2' AS TEXT))")
                          .arg(i).arg(QString::fromLatin1(cases[i].toHex())));
    const QString all = QStringLiteral("SELECT id, t FROM texts ORDER BY id");
    QStringList paged, values, stored;
    for (auto set = open(all); !set->Eof(); set->MoveNext())
        paged << set->FieldValue(1).toString();
    // The list keeps what the writer wrote.
    const Writers writers;
    std::string text;
    readLongRun(all, [&](const tessaro::sql::RowValues& row) {
        values << row.value(1).toString();
        writers.plain.write(row, 1, text);
        stored << QString::fromUtf8(text);
    });
    ASSERT_EQ(paged.size(), int(std::size(cases)));
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].toHex().toStdString());
        EXPECT_EQ((QStringList{values[i], stored[i]}), (QStringList{paged[i], paged[i]}));
        EXPECT_TRUE(!paged[i].isEmpty() && QString::fromUtf8(paged[i].toUtf8()) == paged[i]) << "no text Unicode holds";
    }
    EXPECT_EQ(paged.back(), QString::fromUtf8(std::end(cases)[-1])) << "valid text as it was";
}

// Whole numbers of every length one after another, the longest and the shortest next to each
// other: a plain column shows their digits, a numeric one the same digits after blanks up to 20
// characters (a 64-bit number never needs more).
TEST_F(RecordsetTest, WholeNumbersOfChangingLengthsAreWrittenPlainOrRightAlignedInTwentyCharacters)
{
    const qint64 numbers[] = {std::numeric_limits<qint64>::min(), 7, 0, -1, 123456789012, 42,
        std::numeric_limits<qint64>::max(), -5, 1000000, 3};
    database.exec("CREATE TABLE whole (id INTEGER PRIMARY KEY, n INTEGER)");
    for (int i = 0; i < int(std::size(numbers)); ++i)
        database.exec(QStringLiteral("INSERT INTO whole VALUES (%1, %2)").arg(i).arg(numbers[i]));
    const Writers writers;
    QStringList written;
    std::string text;
    readLongRun("SELECT id, n FROM whole ORDER BY id", [&](const tessaro::sql::RowValues& row) {
        for (const tessaro::CellTextWriter* writer : {&writers.plain, &writers.numeric})
            written << QString::fromStdString((writer->write(row, 1, text), text));
    });
    QStringList expected;
    for (const qint64 n : numbers)
        expected << QString::number(n) << QString::number(n).rightJustified(20, QLatin1Char(' '));
    EXPECT_EQ(written, expected);
}

// One double, offered as the reader holds it (stored) or only as a QVariant.
class DoubleRow final : public tessaro::sql::RowValues {
public:
    double number = 0;
    bool offerStored = true;
    QVariant value(int) const override { return number; }
    tessaro::sql::StoredValue stored(int) const override
    {
        tessaro::sql::StoredValue v;
        if (offerStored)
            v.kind = tessaro::sql::StoredValue::Kind::Real, v.real = number;
        return v;
    }
};

// A double written from the value the reader holds must read as the one written through its
// QVariant: decimals of a few places (money), of many, whole numbers, values near the limits of
// the plain form, and doubles of any bits.
TEST(CellTextTest, ADoubleReadsTheSameWrittenFromTheStoredValueAndFromItsVariant)
{
    std::vector<double> numbers = {0.1 + 0.2, 1e-4, 9.9999e-5, 0.00012, 1.005, 2.675, 0.5, -0.05, 1234.56,
        999999999999999.0, 999999999999999.9, 1e15, 123456789012345.6, 1e14 + 0.5, 1234567.8901234567, -7.0, 100.0,
        0.30000000000000004, 5e-324, 1.7976931348623157e308};
    std::mt19937_64 random(20240601);
    for (int i = 0; i < 4000; ++i) {
        const double places = std::pow(10.0, double(random() % 12));
        numbers.push_back(double(std::int64_t(random() % 2000000000000000) - 1000000000000000) / places);
        numbers.push_back(double(random() % 100000000) / places);
        const std::uint64_t bits = random();
        double any = 0;
        std::memcpy(&any, &bits, sizeof any);
        if (std::isfinite(any))
            numbers.push_back(any);
    }
    const Writers writers;
    DoubleRow row;
    std::string fromStored, fromVariant;
    int mismatches = 0;
    for (const double number : numbers) {
        row.number = number;
        for (const tessaro::CellTextWriter* writer : {&writers.plain, &writers.numeric}) {
            row.offerStored = true, writer->write(row, 0, fromStored);
            row.offerStored = false, writer->write(row, 0, fromVariant);
            if (fromStored != fromVariant && ++mismatches <= 10)
                ADD_FAILURE() << QString::number(number, 'g', 17).toStdString() << ": stored \"" << fromStored
                              << "\", variant \"" << fromVariant << '"';
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(RecordsetTest, ClosedSetRefusesEveryOperationWith3704)
{
    // Close, Clone, Bof, Eof, MoveFirst, MoveNext, RecordCount, PageCount, AbsolutePage, setAbsolutePage.
    void (*const operations[])(Recordset&) = {[](Recordset& s) { s.Close(); }, [](Recordset& s) { s.Clone(); },
        [](Recordset& s) { s.Bof(); }, [](Recordset& s) { s.Eof(); }, [](Recordset& s) { s.MoveFirst(); },
        [](Recordset& s) { s.MoveNext(); }, [](Recordset& s) { s.RecordCount(); }, [](Recordset& s) { s.PageCount(); },
        [](Recordset& s) { s.AbsolutePage(); }, [](Recordset& s) { s.setAbsolutePage(1); }};
    fillItems(3);
    Recordset fresh, closed;
    closed.Open(kAscending, db);
    closed.Close();
    for (Recordset* set : {&fresh, &closed}) {
        SCOPED_TRACE(set == &fresh ? "never opened" : "closed after use");
        QList<int> errors;
        for (const auto operation : operations)
            errors << errorNumberOf([&] { operation(*set); });
        EXPECT_EQ(errors, QList<int>(std::size(operations), 3704));
        // A closed set has no fields.
        EXPECT_EQ((QList<int>{set->State(), set->FieldCount(), errorNumberOf([&] { set->Fields().Item(0); })}),
                  (QList<int>{0, 0, 3265}));
    }
}

TEST_F(RecordsetTest, ReadingEveryRowGivesEachOnceInOrderAcrossBlocks)
{
    // Enough rows for several bounded reads, with a last block that ends short.
    fillItems(5000);
    QStringList all, cloned;
    for (int id = 1; id <= 5000; ++id)
        all << QStringLiteral("%1 row %1").arg(id);
    EXPECT_EQ(readRows(*open(kAscending)), all) << "MoveNext from the first row";
    // A clone starts on the first row whatever the original's position, and outlives the original.
    auto set = open(kAscending);
    set->setPageSize(5);
    set->setAbsolutePage(3);
    auto clone = set->Clone();
    EXPECT_EQ(clone->PageSize(), 10) << "a clone has the default page size";
    set->MoveFirst();
    while (cloned.size() < 2500) {
        cloned << readRows(*clone, 1);
        EXPECT_EQ(readRows(*set, 1), cloned.mid(cloned.size() - 1)) << "in turns with the original";
    }
    set->Close();
    EXPECT_EQ(cloned + readRows(*clone), all);
}

TEST_F(RecordsetTest, OpeningWhatIsOpenOrClosingWhatIsClosedIsRefused)
{
    fillItems(3);
    auto set = open(kAscending);
    set->MoveNext();
    EXPECT_EQ(errorNumberOf([&] { set->Open(QStringLiteral("SELECT 5"), db); }), 3705);
    EXPECT_EQ(set->FieldValue(0).toInt(), 2) << "the open set is kept";
    // Open again, close, its state, close again, open a set on it, that set's state; reopen, its
    // state; a set opened on it again reads.
    Recordset probe;
    const auto openProbe = [&] { return errorNumberOf([&] { probe.Open(QStringLiteral("SELECT 1;"), db, 1); }); };
    EXPECT_EQ((QList<int>{errorNumberOf([&] { tessaro::connectionOpen(db); }),
                  errorNumberOf([&] { tessaro::connectionClose(db); }), int(db.isOpen()),
                  errorNumberOf([&] { tessaro::connectionClose(db); }), openProbe(), probe.State(),
                  errorNumberOf([&] { tessaro::connectionOpen(db); }), int(db.isOpen()), openProbe(),
                  probe.FieldValue(0).toInt()}),
        (QList<int>{3705, 0, 0, 3704, 3709, 0, 0, 1, 0, 1}));
}

TEST_F(RecordsetTest, AConnectionThatCannotOpenReportsTheDriversMessage)
{
    db.close();
    db.setDatabaseName(QStringLiteral("/nonexistent-tessaro-dir/sub/data.db"));
    const QString message = errorTextOf([&] { tessaro::connectionOpen(db); }).section(' ', 1);
    EXPECT_FALSE(message.isEmpty()) << "the open succeeded or said nothing";
    EXPECT_EQ(message, db.lastError().databaseText());
    EXPECT_FALSE(db.isOpen());
}

namespace {

using Kind = tessaro::sql::StoredValue::Kind;

const QString kEveryClass = QStringLiteral(
    "SELECT NULL, 42, -7, 2.5, -0.75, 'città', '', X'00FF41', 9007199254740993 "
    "UNION ALL SELECT 1, 'x', 3.0, NULL, 1e300, 5, 'y', NULL, 'z'");

// Type, nullness and value of the 9 fields in one text each, so that whole rows compare at once:
// QVariant's own equality takes 2 for 2.0 and a null text for an empty one.
template <class Value>
QStringList describeRow(Value value)
{
    QStringList row;
    for (int i = 0; i < 9; ++i) {
        const QVariant v = value(i);
        const bool bytes = v.metaType() == QMetaType::fromType<QByteArray>();
        row << QStringLiteral("%1%2 %3").arg(v.typeName(), v.isNull() ? " null" : "",
                                             bytes ? QString::fromLatin1(v.toByteArray().toHex()) : v.toString());
    }
    return row;
}

} // namespace

TEST(SqliteRows, ValuesAreThoseOfQSqlQueryUnderEveryPrecisionPolicy)
{
    tessaro::test::TestDatabase database;
    for (QSql::NumericalPrecisionPolicy policy :
         {QSql::LowPrecisionDouble, QSql::HighPrecision, QSql::LowPrecisionInt32, QSql::LowPrecisionInt64}) {
        SCOPED_TRACE(policy);
        database.db().setNumericalPrecisionPolicy(policy);
        std::vector<QStringList> expected, rows;
        for (QSqlQuery query(kEveryClass, database.db()); query.next();)
            expected.push_back(describeRow([&](int i) { return query.value(i); }));
        EXPECT_EQ(tessaro::sql::readSqliteRows(database.db(), kEveryClass, 10, [&](const tessaro::sql::RowValues& row) {
            rows.push_back(describeRow([&](int i) { return row.value(i); }));
        }), 2);
        EXPECT_EQ(rows, expected);
    }
}

TEST(SqliteRows, StoredValuesSpareTheVariantOnlyWhereTheyMeanTheSame)
{
    tessaro::test::TestDatabase database;
    const auto firstRowUnder = [&](QSql::NumericalPrecisionPolicy policy) {
        database.db().setNumericalPrecisionPolicy(policy);
        std::vector<Kind> kinds;
        tessaro::sql::readSqliteRows(database.db(), kEveryClass, 1, [&](const tessaro::sql::RowValues& row) {
            for (int i = 0; i < 9; ++i)
                kinds.push_back(row.stored(i).kind);
            EXPECT_EQ(row.stored(8).integer, 9007199254740993) << "beyond a double's exact integers";
            EXPECT_EQ(std::string(row.stored(5).text), "città") << "valid while the row is visited";
        });
        return kinds;
    };
    EXPECT_EQ(firstRowUnder(QSql::LowPrecisionDouble), (std::vector<Kind>{Kind::Null, Kind::Integer, Kind::Integer,
        Kind::Real, Kind::Real, Kind::Text, Kind::Text, Kind::Other, Kind::Integer}));
    // A real read as a whole number is no longer the stored value.
    EXPECT_EQ(firstRowUnder(QSql::LowPrecisionInt32).at(3), Kind::Other);
}

TEST(SqliteRows, StepsAsideWhereQSqlQueryMustSpeak)
{
    tessaro::test::TestDatabase database;
    const auto read = [](const QSqlDatabase& db, const QString& sql, qint64 maxRows = 5) {
        return tessaro::sql::readSqliteRows(db, sql, maxRows, [](const tessaro::sql::RowValues&) {});
    };
    EXPECT_EQ(read(database.db(), kEveryClass, 1), 1) << "stops at the limit";
    // Its own error message, two statements, no connection, a closed connection.
    EXPECT_FALSE(read(database.db(), "SELEC 1") || read(database.db(), "SELECT 1; SELECT 2") || read({}, "SELECT 1"));
    database.db().close();
    EXPECT_FALSE(read(database.db(), QStringLiteral("SELECT 1")));
}
