// The result set and connection on a real SQLite database.
#include <tessaro/Recordset.h>

#include "platform/Connection.h"
#include "support/TestDatabase.h"
#include "support/TestHelpers.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <functional>
#include <gtest/gtest.h>

using tessaro::Error;
using tessaro::Recordset;
using tessaro::test::errorNumberOf;

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

// Rows first..last of the items table as readRows() gives them.
QStringList itemRange(int first, int last)
{
    QStringList rows;
    for (int id = first; id <= last; ++id)
        rows << QStringLiteral("%1 row %1").arg(id);
    return rows;
}

struct RecordsetTest : ::testing::Test {
    tessaro::test::TestDatabase database;
    QSqlDatabase& db = database.db();

    // Replaces the items table with rows 1..count: id, "row <id>", id * 1.5.
    void fillItems(int count)
    {
        database.exec(QStringLiteral("DROP TABLE IF EXISTS items"));
        database.createNumbered(QStringLiteral("items"), count);
    }

    std::shared_ptr<Recordset> open(const QString& statement)
    {
        auto set = std::make_shared<Recordset>();
        set->Open(statement, db);
        return set;
    }
};

} // namespace

TEST_F(RecordsetTest, EachQueryCountsItsOwnRowsAndAPageStartsWhereItShould)
{
    struct Case {
        const char* query;
        int tableRows, pageSize, page;
        int count, pageCount; // the query's rows; ceil(count / pageSize)
        int firstId;          // of row (page - 1) * pageSize + 1 in the query's order
    };
    const Case cases[] = {
        {"SELECT id, name FROM items ORDER BY id", 25, 10, 3, 25, 3, 21},
        {"SELECT id, name FROM items ORDER BY id", 25, 10, 1, 25, 3, 1},
        {"SELECT id, name FROM items ORDER BY id", 30, 10, 3, 30, 3, 21},
        {"SELECT id, name FROM items ORDER BY id", 5, 10, 1, 5, 1, 1},
        {"SELECT id, name FROM items ORDER BY id", 1000, 7, 143, 1000, 143, 995},
        {"SELECT id, name FROM items ORDER BY id DESC", 25, 10, 2, 25, 3, 15},
        {"SELECT id, name FROM items ORDER BY name DESC", 25, 10, 1, 25, 3, 9}, // "row 9" sorts last
        {"SELECT id, name FROM items ORDER BY id DESC LIMIT 7 OFFSET 3", 25, 5, 2, 7, 2, 17},
        {"SELECT id, name FROM items order\n by id LIMIT 100 OFFSET 20", 25, 10, 1, 5, 1, 21},
        {"SELECT DISTINCT amount > 10, 0 FROM items ORDER BY 1", 25, 10, 1, 2, 1, 0},
        // Counting drops only the final top-level ordering, never one in a literal, a comment,
        // a window or a subquery.
        {"SELECT id, name FROM items WHERE name <> 'x ORDER BY y' /* ORDER BY a */ ORDER BY id DESC", 25, 10,
         3, 25, 3, 5},
        {"SELECT id, row_number() OVER (ORDER BY id DESC) FROM items ORDER BY id", 25, 10, 2, 25, 3, 11},
        {"WITH c AS (SELECT id, name FROM items ORDER BY id DESC LIMIT 3) SELECT * FROM c ORDER BY id -- last",
         25, 2, 2, 3, 2, 25},
        // Endings must not stop the statement standing as a subquery.
        {"SELECT 1, 2;", 1, 10, 1, 1, 1, 1},    {"SELECT 1, 2 ;", 1, 10, 1, 1, 1, 1},
        {"SELECT 1, 2;\n  \t", 1, 10, 1, 1, 1, 1}, {"SELECT 1, 2;;", 1, 10, 1, 1, 1, 1},
        {"SELECT 1, 2 -- one", 1, 10, 1, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.query << ", page " << c.page << " of size " << c.pageSize);
        fillItems(c.tableRows);
        auto set = open(QString::fromLatin1(c.query));
        set->setPageSize(c.pageSize);
        EXPECT_EQ(set->RecordCount(), c.count);
        EXPECT_EQ(set->PageCount(), c.pageCount);
        set->setAbsolutePage(c.page);
        EXPECT_EQ(set->AbsolutePage(), c.page);
        EXPECT_EQ(set->FieldValue(0).toInt(), c.firstId);
        EXPECT_EQ(readRows(*set).size(), c.count - (c.page - 1) * c.pageSize) << "reading goes on to the end";
        for (int page : {0, -2, c.pageCount + 1})
            EXPECT_EQ(errorNumberOf([&] { set->setAbsolutePage(page); }), 3001) << page;
        EXPECT_EQ(errorNumberOf([&] { set->setPageSize(0); }), 3001);
        EXPECT_EQ(set->PageSize(), c.pageSize);
        EXPECT_EQ(set->AbsolutePage(), -3) << "after the last row, where the refusals left the cursor";
    }
}

TEST_F(RecordsetTest, EmptyResultIsBeforeTheFirstAndAfterTheLastRowAndStillNamesItsFields)
{
    fillItems(3);
    auto set = open(QStringLiteral("SELECT id, name FROM items WHERE id < 0"));
    EXPECT_TRUE(set->Bof());
    EXPECT_TRUE(set->Eof());
    EXPECT_EQ(set->RecordCount(), 0);
    EXPECT_EQ(set->PageCount(), 0);
    EXPECT_EQ(set->FieldCount(), 2);
    EXPECT_EQ(set->FieldName(1), QStringLiteral("name"));
    EXPECT_EQ(errorNumberOf([&] { set->MoveNext(); }), 3021);
    EXPECT_EQ(errorNumberOf([&] { set->FieldValue(0); }), 3021);
    EXPECT_EQ(errorNumberOf([&] { set->setAbsolutePage(1); }), 3001);
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
        try {
            set.Open(QString::fromLatin1(text), db);
            ADD_FAILURE() << "the open succeeded";
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), expected.nativeErrorCode().toInt());
            EXPECT_EQ(error.description(), expected.databaseText());
        }
        EXPECT_EQ(set.State(), 0);
        set.Open(QStringLiteral("SELECT id FROM items"), db);
        EXPECT_EQ(set.RecordCount(), 3) << "a failed open leaves the set ready for another";
    }
}

TEST_F(RecordsetTest, ClosedSetRefusesEveryOperationWith3704)
{
    const std::pair<const char*, std::function<void(Recordset&)>> operations[] = {
        {"Close", [](Recordset& s) { s.Close(); }},             {"Clone", [](Recordset& s) { s.Clone(); }},
        {"Bof", [](Recordset& s) { s.Bof(); }},                 {"Eof", [](Recordset& s) { s.Eof(); }},
        {"MoveFirst", [](Recordset& s) { s.MoveFirst(); }},     {"MoveNext", [](Recordset& s) { s.MoveNext(); }},
        {"RecordCount", [](Recordset& s) { s.RecordCount(); }}, {"PageCount", [](Recordset& s) { s.PageCount(); }},
        {"AbsolutePage", [](Recordset& s) { s.AbsolutePage(); }},
        {"setAbsolutePage", [](Recordset& s) { s.setAbsolutePage(1); }},
    };
    fillItems(3);
    Recordset fresh, closed;
    closed.Open(kAscending, db);
    closed.Close();
    for (Recordset* set : {&fresh, &closed}) {
        SCOPED_TRACE(set == &fresh ? "never opened" : "closed after use");
        EXPECT_EQ(set->State(), 0);
        for (const auto& [name, operation] : operations)
            EXPECT_EQ(errorNumberOf([&, &operation = operation] { operation(*set); }), 3704) << name;
        EXPECT_EQ(set->FieldCount(), 0) << "a closed set has no fields";
        EXPECT_EQ(errorNumberOf([&] { set->Fields().Item(0); }), 3265);
    }
}

TEST_F(RecordsetTest, FieldsKeepTheStatementsOrderAndNamesAndRefuseIndexesOutOfRange)
{
    fillItems(2);
    // Repeated names stay as the statement gives them.
    const QString joined = QStringLiteral("SELECT a.name, b.id, a.id, b.id FROM items a JOIN items b ON a.id = b.id");
    const QSqlRecord expected = QSqlQuery(joined, db).record();
    auto set = open(joined);
    ASSERT_EQ(set->FieldCount(), expected.count());
    for (int i = 0; i < expected.count(); ++i)
        EXPECT_EQ(set->FieldName(i), expected.fieldName(i)) << i;
    EXPECT_EQ(set->Fields().Item(0).Name(), QStringLiteral("name"));
    for (int index : {-1, 4}) {
        EXPECT_EQ(errorNumberOf([&] { set->Fields().Item(index); }), 3265) << index;
        EXPECT_EQ(errorNumberOf([&] { set->FieldName(index); }), 3265) << index;
        EXPECT_EQ(errorNumberOf([&] { set->FieldValue(index); }), 3265) << index;
    }
}

TEST_F(RecordsetTest, ReadingEveryRowGivesEachOnceInOrderAcrossBlocks)
{
    // Enough rows for several bounded reads, with a last block that ends short.
    fillItems(5000);
    const std::pair<const char*, std::function<QStringList(Recordset&)>> readers[] = {
        {"MoveNext from the first row", [](Recordset& s) { return readRows(s); }},
        {"pages of 37 from the last to the first",
         [](Recordset& s) {
             QStringList rows;
             s.setPageSize(37);
             for (int page = s.PageCount(); page >= 1; --page) {
                 s.setAbsolutePage(page);
                 rows = readRows(s, 37) + rows;
             }
             return rows;
         }},
        {"a clone, in turns with its original until that closes",
         [](Recordset& s) {
             s.setPageSize(5);
             s.setAbsolutePage(3);
             auto clone = s.Clone(); // on the first row, whatever the original's position
             EXPECT_EQ(clone->PageSize(), 10) << "a clone has the default page size";
             s.MoveFirst();
             QStringList rows;
             while (rows.size() < 2500) {
                 rows << readRows(*clone, 1);
                 EXPECT_EQ(readRows(s, 1), rows.mid(rows.size() - 1));
             }
             s.Close();
             return rows + readRows(*clone); // a clone outlives the set it came from
         }},
    };
    for (const auto& [name, read] : readers) {
        SCOPED_TRACE(name);
        EXPECT_EQ(read(*open(kAscending)), itemRange(1, 5000));
    }
}

TEST_F(RecordsetTest, StatementThatCannotBeASubqueryIsReadWhole)
{
    fillItems(1);
    auto set = open(QStringLiteral("PRAGMA table_info(items);"));
    EXPECT_EQ(set->FieldName(1), QStringLiteral("name"));
    EXPECT_EQ(set->RecordCount(), 3);
    EXPECT_EQ(readRows(*set), (QStringList{"0 id", "1 name", "2 amount"}));
    set->setPageSize(2);
    EXPECT_EQ(set->PageCount(), 2);
    set->setAbsolutePage(2);
    EXPECT_EQ(readRows(*set), QStringList{"2 amount"});
    EXPECT_EQ(readRows(*set->Clone(), 1), QStringList{"0 id"});
}

TEST_F(RecordsetTest, OpeningWhatIsOpenFailsAndAClosedConnectionReopensWithItsOwnSettings)
{
    fillItems(3);
    auto set = open(kAscending);
    set->MoveNext();
    EXPECT_EQ(errorNumberOf([&] { set->Open(QStringLiteral("SELECT 5"), db); }), 3705);
    EXPECT_EQ(set->FieldValue(0).toInt(), 2) << "the open set is kept";

    EXPECT_EQ(errorNumberOf([&] { tessaro::connectionOpen(db); }), 3705);
    tessaro::connectionClose(db);
    EXPECT_EQ(tessaro::connectionState(db), 0);
    EXPECT_EQ(errorNumberOf([&] { tessaro::connectionClose(db); }), 3704);
    Recordset probe;
    EXPECT_EQ(errorNumberOf([&] { probe.Open(QStringLiteral("SELECT 1;"), db, 1); }), 3709);
    EXPECT_EQ(probe.State(), 0);
    tessaro::connectionOpen(db);
    EXPECT_EQ(tessaro::connectionState(db), 1);
    probe.Open(QStringLiteral("SELECT 1;"), db, 1);
    EXPECT_EQ(probe.FieldValue(0).toInt(), 1);

    // A connection that cannot open reports the driver's message.
    db.setDatabaseName(QStringLiteral("/nonexistent-tessaro-dir/sub/data.db"));
    probe.Close();
    set->Close();
    tessaro::connectionClose(db);
    try {
        tessaro::connectionOpen(db);
        ADD_FAILURE() << "the open succeeded";
    } catch (const Error& error) {
        EXPECT_FALSE(error.description().isEmpty());
        EXPECT_EQ(error.description(), db.lastError().databaseText());
    }
    EXPECT_EQ(tessaro::connectionState(db), 0);
}
