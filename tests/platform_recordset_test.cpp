// The result set and connection on a real SQLite database.
#include <tessaro/Error.h>
#include <tessaro/Recordset.h>

#include "platform/Connection.h"
#include "platform/sql/SqlText.h"
#include "support/TestHelpers.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <memory>
#include <vector>

namespace {

using tessaro::Error;
using tessaro::Recordset;

using tessaro::test::errorNumberOf;

struct Row {
    qlonglong id;
    QString name;
};

// Reads rows from the cursor's position until Eof or `limit` rows.
std::vector<Row> readRows(Recordset& set, int limit = INT_MAX)
{
    std::vector<Row> rows;
    while (int(rows.size()) < limit && !set.Eof()) {
        rows.push_back({set.FieldValue(0).toLongLong(), set.FieldValue(1).toString()});
        set.MoveNext();
    }
    return rows;
}

// Rows first..last of the items table, as fillItems() writes them.
std::vector<Row> itemRange(qlonglong first, qlonglong last)
{
    std::vector<Row> rows;
    for (qlonglong id = first; id <= last; ++id)
        rows.push_back({id, QStringLiteral("item %1").arg(id)});
    return rows;
}

bool operator==(const Row& a, const Row& b)
{
    return a.id == b.id && a.name == b.name;
}

void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.id << " '" << row.name.toStdString() << "'";
}

class RecordsetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_name = QStringLiteral("recordset_%1_%2").arg(test->test_suite_name(), test->name());
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        exec(QStringLiteral("CREATE TABLE items (id INTEGER PRIMARY KEY, name TEXT, amount REAL)"));
    }

    void TearDown() override
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }

    void exec(const QString& statement)
    {
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(statement)) << query.lastError().text().toStdString();
    }

    // Replaces the items with rows 1..count named "item <id>".
    void fillItems(int count)
    {
        exec(QStringLiteral("DELETE FROM items"));
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO items (id, name, amount) VALUES (?, ?, ?)"));
        for (int id = 1; id <= count; ++id) {
            insert.addBindValue(id);
            insert.addBindValue(QStringLiteral("item %1").arg(id));
            insert.addBindValue(id * 1.5);
            ASSERT_TRUE(insert.exec()) << insert.lastError().text().toStdString();
        }
        db.commit();
    }

    std::shared_ptr<Recordset> open(const QString& statement)
    {
        auto set = std::make_shared<Recordset>();
        set->Open(statement, db);
        return set;
    }

    QSqlDatabase db;

private:
    QString m_name;
};

TEST_F(RecordsetTest, PagePositionsOnItsFirstRowAndReadingGoesOnToTheEnd)
{
    const QString ascending = QStringLiteral("SELECT id, name FROM items ORDER BY id");
    const QString descending = QStringLiteral("SELECT id, name FROM items ORDER BY id DESC");
    struct Case {
        QString query;
        int rows, pageSize, page;
        int pageCount;      // ceil(rows / pageSize)
        qlonglong firstId;  // row (page - 1) * pageSize + 1 in the query's order
        int rowsToEof;      // rows - (page - 1) * pageSize
    };
    const Case cases[] = {
        {ascending, 25, 10, 3, 3, 21, 5},
        {ascending, 25, 10, 1, 3, 1, 25},
        {ascending, 30, 10, 3, 3, 21, 10},
        {ascending, 5, 10, 1, 1, 1, 5},
        {ascending, 1000, 7, 143, 143, 995, 6},
        {descending, 25, 10, 2, 3, 15, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 with %2 rows, page %3 of size %4")
                         .arg(c.query).arg(c.rows).arg(c.page).arg(c.pageSize).toStdString());
        fillItems(c.rows);
        auto set = open(c.query);
        set->setPageSize(c.pageSize);
        EXPECT_EQ(set->RecordCount(), c.rows);
        EXPECT_EQ(set->PageCount(), c.pageCount);
        set->setAbsolutePage(c.page);
        EXPECT_EQ(set->AbsolutePage(), c.page);
        EXPECT_EQ(set->FieldValue(0).toLongLong(), c.firstId);
        EXPECT_EQ(int(readRows(*set).size()), c.rowsToEof);
        EXPECT_TRUE(set->Eof());
        EXPECT_EQ(set->AbsolutePage(), -3);
    }
}

TEST_F(RecordsetTest, OrderedAndLimitedQueriesCountTheirOwnRows)
{
    fillItems(25);
    struct Case {
        const char* query;
        int count;
        qlonglong firstId;
    };
    const Case cases[] = {
        {"SELECT id FROM items ORDER BY name DESC", 25, 9},  // "item 9" sorts last as text
        {"SELECT id FROM items ORDER BY id DESC LIMIT 7 OFFSET 3", 7, 22},
        {"SELECT id FROM items ORDER BY id LIMIT 100 OFFSET 20", 5, 21},
        {"SELECT id FROM items WHERE id > 20 ORDER BY id", 5, 21},
        {"SELECT DISTINCT amount > 10 FROM items ORDER BY 1", 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        auto set = open(QString::fromLatin1(c.query));
        EXPECT_EQ(set->RecordCount(), c.count);
        EXPECT_EQ(set->FieldValue(0).toLongLong(), c.firstId);
    }
}

TEST(SqlTextTest, OnlyTheFinalTopLevelOrderingIsDropped)
{
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT a FROM t ORDER BY a", "SELECT a FROM t"},
        {"SELECT a FROM t order\n  by a DESC, b LIMIT 5 OFFSET 2", "SELECT a FROM t LIMIT 5 OFFSET 2"},
        {"SELECT a FROM t ORDER BY a FETCH FIRST 3 ROWS ONLY", "SELECT a FROM t FETCH FIRST 3 ROWS ONLY"},
        {"WITH c AS (SELECT a FROM t ORDER BY a) SELECT a FROM c ORDER BY a -- newest",
         "WITH c AS (SELECT a FROM t ORDER BY a) SELECT a FROM c"},
        {"SELECT a, row_number() OVER (ORDER BY b) FROM t", nullptr},
        {"SELECT a FROM t WHERE b = 'x ORDER BY y'", nullptr},
        {"SELECT \"order\" FROM t /* ORDER BY a */", nullptr},
        {"SELECT a FROM t", nullptr},
    };
    for (const auto& [body, expected] : cases) {
        SCOPED_TRACE(body);
        const QString text = QString::fromLatin1(body);
        const QString result = tessaro::sql::withoutFinalOrdering(text);
        if (expected)
            EXPECT_EQ(result.simplified(), QString::fromLatin1(expected));
        else
            EXPECT_EQ(result, text) << "nothing to drop";
    }
}

TEST_F(RecordsetTest, PageSizeIsTenUntilSetAndRejectsValuesBelowOne)
{
    fillItems(25);
    auto set = open(QStringLiteral("SELECT id, name FROM items ORDER BY id"));
    EXPECT_EQ(set->PageSize(), 10);
    EXPECT_EQ(set->PageCount(), 3);

    for (int rows : {0, -1}) {
        SCOPED_TRACE(rows);
        EXPECT_EQ(errorNumberOf([&] { set->setPageSize(rows); }), 3001);
        EXPECT_EQ(set->PageSize(), 10);
    }
    for (int page : {0, -2, 4}) {
        SCOPED_TRACE(page);
        EXPECT_EQ(errorNumberOf([&] { set->setAbsolutePage(page); }), 3001);
        EXPECT_EQ(set->FieldValue(0).toLongLong(), 1) << "a refused page leaves the cursor";
    }
}

TEST_F(RecordsetTest, CloneStandsOnTheFirstRowAndMovesOnItsOwn)
{
    fillItems(25);
    auto original = open(QStringLiteral("SELECT id, name FROM items ORDER BY id"));
    original->setPageSize(10);
    original->setAbsolutePage(2);

    auto clone = original->Clone();
    ASSERT_EQ(clone->State(), 1);
    EXPECT_EQ(clone->FieldValue(0).toLongLong(), 1);
    EXPECT_EQ(clone->RecordCount(), 25);
    clone->MoveNext();
    clone->MoveNext();
    EXPECT_EQ(clone->FieldValue(0).toLongLong(), 3);
    EXPECT_EQ(original->FieldValue(0).toLongLong(), 11);

    original->Close();
    EXPECT_EQ(readRows(*clone), itemRange(3, 25)) << "a clone outlives the set it came from";
    EXPECT_EQ(errorNumberOf([&] { original->Clone(); }), 3704);
}

TEST_F(RecordsetTest, EmptyResultIsBeforeTheFirstAndAfterTheLastRow)
{
    fillItems(3);
    auto set = open(QStringLiteral("SELECT id, name FROM items WHERE id < 0"));
    EXPECT_TRUE(set->Bof());
    EXPECT_TRUE(set->Eof());
    EXPECT_EQ(set->RecordCount(), 0);
    EXPECT_EQ(set->PageCount(), 0);
    EXPECT_EQ(set->FieldCount(), 2) << "an empty result still names its fields";
    EXPECT_EQ(set->FieldName(1), QStringLiteral("name"));
    EXPECT_EQ(errorNumberOf([&] { set->MoveNext(); }), 3021);
    EXPECT_EQ(errorNumberOf([&] { set->FieldValue(0); }), 3021);
    EXPECT_EQ(errorNumberOf([&] { set->setAbsolutePage(1); }), 3001);
    EXPECT_TRUE(set->Clone()->Eof());
}

TEST_F(RecordsetTest, DatabaseNullBecomesANullVariantAndEmptyTextDoesNot)
{
    exec(QStringLiteral("INSERT INTO items VALUES (1, NULL, NULL), (2, '', 0)"));
    auto set = open(QStringLiteral("SELECT id, name, amount FROM items ORDER BY id"));
    EXPECT_FALSE(set->Bof());
    EXPECT_TRUE(set->FieldValue(1).isNull());
    EXPECT_TRUE(set->FieldValue(2).isNull());
    set->MoveNext();
    EXPECT_FALSE(set->FieldValue(1).isNull());
    EXPECT_EQ(set->FieldValue(1).toString(), QString());
    EXPECT_FALSE(set->FieldValue(2).isNull());
    EXPECT_EQ(set->FieldValue(2).toDouble(), 0.0);
}

TEST_F(RecordsetTest, StatementEndingsDoNotStopTheOpen)
{
    for (const char* text : {"SELECT 1;", "SELECT 1 ;", "SELECT 1;\n  \t", "SELECT 1;;", "SELECT 1 -- one"}) {
        SCOPED_TRACE(text);
        auto set = open(QString::fromLatin1(text));
        EXPECT_EQ(set->RecordCount(), 1);
        EXPECT_EQ(set->FieldValue(0).toInt(), 1);
        set->MoveNext();
        EXPECT_TRUE(set->Eof());
    }
}

TEST_F(RecordsetTest, FailingStatementCarriesTheDatabaseNumberAndMessage)
{
    fillItems(3);
    // The last one fails differently as a subquery; the statement's own error is the one shown.
    for (const char* text : {"SELEC * FROM items", "SELECT * FROM missing_table",
                             "SELECT nope FROM items", "PRAGMA table_info("}) {
        SCOPED_TRACE(text);
        QSqlQuery direct(db);
        ASSERT_FALSE(direct.exec(QString::fromLatin1(text)));
        const QSqlError expected = direct.lastError();
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
        {"Close", [](Recordset& s) { s.Close(); }},
        {"Clone", [](Recordset& s) { s.Clone(); }},
        {"Bof", [](Recordset& s) { s.Bof(); }},
        {"Eof", [](Recordset& s) { s.Eof(); }},
        {"MoveFirst", [](Recordset& s) { s.MoveFirst(); }},
        {"MoveNext", [](Recordset& s) { s.MoveNext(); }},
        {"RecordCount", [](Recordset& s) { s.RecordCount(); }},
        {"PageCount", [](Recordset& s) { s.PageCount(); }},
        {"AbsolutePage", [](Recordset& s) { s.AbsolutePage(); }},
        {"setAbsolutePage", [](Recordset& s) { s.setAbsolutePage(1); }},
    };
    fillItems(3);
    Recordset fresh;
    Recordset closed;
    closed.Open(QStringLiteral("SELECT id, name FROM items"), db);
    closed.Close();
    for (Recordset* set : {&fresh, &closed}) {
        SCOPED_TRACE(set == &fresh ? "never opened" : "closed after use");
        EXPECT_EQ(set->State(), 0);
        for (const auto& [name, operation] : operations) {
            SCOPED_TRACE(name);
            EXPECT_EQ(errorNumberOf([&] { operation(*set); }), 3704);
        }
        EXPECT_EQ(set->FieldCount(), 0) << "a closed set has no fields";
        EXPECT_EQ(errorNumberOf([&] { set->Fields().Item(0); }), 3265);
    }
}

TEST_F(RecordsetTest, OpeningAnOpenSetFailsAndKeepsIt)
{
    fillItems(3);
    auto set = open(QStringLiteral("SELECT id FROM items ORDER BY id"));
    set->MoveNext();
    EXPECT_EQ(errorNumberOf([&] { set->Open(QStringLiteral("SELECT 5"), db); }), 3705);
    EXPECT_EQ(set->FieldValue(0).toLongLong(), 2);
}

TEST_F(RecordsetTest, FieldsFollowTheQueryOrderAndReadTheCurrentRow)
{
    fillItems(2);
    auto set = open(QStringLiteral("SELECT name, id, amount FROM items ORDER BY id"));
    const tessaro::FieldCollection fields = set->Fields();
    ASSERT_EQ(fields.Count(), 3);
    EXPECT_EQ(fields.Item(0).Name(), QStringLiteral("name"));
    EXPECT_EQ(fields.Item(2).Name(), set->FieldName(2));
    const tessaro::Field id = fields.Item(1);
    EXPECT_EQ(id.Value().toLongLong(), 1);
    set->MoveNext();
    EXPECT_EQ(id.Value().toLongLong(), 2);
    EXPECT_EQ(set->FieldValue(2).toDouble(), 3.0);

    for (int index : {-1, 3}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(errorNumberOf([&] { fields.Item(index); }), 3265);
        EXPECT_EQ(errorNumberOf([&] { set->FieldName(index); }), 3265);
        EXPECT_EQ(errorNumberOf([&] { set->FieldValue(index); }), 3265);
    }
}

TEST_F(RecordsetTest, RepeatedColumnNamesStayAsTheStatementGivesThem)
{
    fillItems(2);
    const QString statement =
        QStringLiteral("SELECT a.id, b.id, a.name, b.id FROM items a JOIN items b ON a.id = b.id");
    QSqlQuery direct(db);
    ASSERT_TRUE(direct.exec(statement));
    QStringList expected;
    for (int i = 0; i < direct.record().count(); ++i)
        expected << direct.record().fieldName(i);

    auto set = open(statement);
    QStringList names;
    for (int i = 0; i < set->FieldCount(); ++i)
        names << set->FieldName(i);
    EXPECT_EQ(names, expected);
}

TEST_F(RecordsetTest, ReadingEveryRowGivesEachOnceInOrderAcrossBlocks)
{
    // Enough rows for several bounded reads, with a last block that ends short.
    constexpr int kRows = 5000;
    constexpr int kPage = 37;
    fillItems(kRows);
    const QString query = QStringLiteral("SELECT id, name FROM items ORDER BY id");
    const std::pair<const char*, std::function<std::vector<Row>(Recordset&)>> readers[] = {
        {"MoveNext from the first row", [](Recordset& s) { return readRows(s); }},
        {"all rows as one page",
         [](Recordset& s) {
             s.setPageSize(s.RecordCount());
             s.setAbsolutePage(1);
             return readRows(s, s.RecordCount());
         }},
        {"page after page",
         [](Recordset& s) {
             std::vector<Row> rows;
             s.setPageSize(kPage);
             for (int page = 1; page <= s.PageCount(); ++page) {
                 s.setAbsolutePage(page);
                 for (const Row& row : readRows(s, kPage))
                     rows.push_back(row);
             }
             return rows;
         }},
        {"pages from the last to the first",
         [](Recordset& s) {
             std::vector<std::vector<Row>> pages;
             s.setPageSize(kPage);
             for (int page = s.PageCount(); page >= 1; --page) {
                 s.setAbsolutePage(page);
                 pages.insert(pages.begin(), readRows(s, kPage));
             }
             std::vector<Row> rows;
             for (const auto& page : pages)
                 rows.insert(rows.end(), page.begin(), page.end());
             return rows;
         }},
        {"a clone and its original in turns",
         [](Recordset& s) {
             auto clone = s.Clone();
             std::vector<Row> fromOriginal, fromClone;
             while (!s.Eof()) {
                 fromOriginal.push_back(readRows(s, 1).front());
                 fromClone.push_back(readRows(*clone, 1).front());
             }
             EXPECT_TRUE(clone->Eof());
             EXPECT_EQ(fromClone, fromOriginal);
             return fromOriginal;
         }},
    };
    const std::vector<Row> expected = itemRange(1, kRows);
    for (const auto& [name, read] : readers) {
        SCOPED_TRACE(name);
        auto set = open(query);
        const std::vector<Row> rows = read(*set);
        ASSERT_EQ(rows.size(), expected.size());
        EXPECT_EQ(rows, expected);
    }
}

TEST_F(RecordsetTest, StatementThatCannotBeASubqueryIsReadWhole)
{
    auto set = open(QStringLiteral("PRAGMA table_info(items);"));
    ASSERT_GT(set->FieldCount(), 2);
    EXPECT_EQ(set->FieldName(1), QStringLiteral("name"));
    EXPECT_EQ(set->RecordCount(), 3);
    std::vector<QString> columns;
    while (!set->Eof()) {
        columns.push_back(set->FieldValue(1).toString());
        set->MoveNext();
    }
    EXPECT_EQ(columns, (std::vector<QString>{"id", "name", "amount"}));

    set->setPageSize(2);
    EXPECT_EQ(set->PageCount(), 2);
    set->setAbsolutePage(2);
    EXPECT_EQ(set->FieldValue(1).toString(), QStringLiteral("amount"));
    EXPECT_EQ(set->Clone()->FieldValue(1).toString(), QStringLiteral("id"));
}

TEST_F(RecordsetTest, ConnectionClosesAndReopensWithItsOwnSettings)
{
    EXPECT_EQ(tessaro::connectionState(db), 1);
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
}

TEST_F(RecordsetTest, ConnectionThatCannotOpenReportsTheDriverMessage)
{
    const QString name = QStringLiteral("recordset_broken");
    QSqlDatabase broken = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    broken.setDatabaseName(QStringLiteral("/nonexistent-tessaro-dir/sub/data.db"));
    try {
        tessaro::connectionOpen(broken);
        ADD_FAILURE() << "the open succeeded";
    } catch (const Error& error) {
        EXPECT_EQ(error.description(), broken.lastError().databaseText());
        EXPECT_FALSE(error.description().isEmpty());
    }
    EXPECT_EQ(tessaro::connectionState(broken), 0);
    broken = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

} // namespace
