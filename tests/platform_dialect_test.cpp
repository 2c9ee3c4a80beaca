// Pages keep the query's own order on every server: read page by page, an ordered query gives
// exactly the rows a whole read gives, in the same order (MariaDB drops an ORDER BY inside a
// derived table, so its pages are written differently).
#include <tessaro/Recordset.h>

#include "platform/sql/RecordsetRows.h"
#include "platform/sql/SqlText.h"
#include "support/MariadbServer.h"
#include "support/PostgresCluster.h"
#include "support/TestDatabase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

constexpr int kRows = 600; // more than the first block, so later pages are read on their own
constexpr int kPageRows = 50;

const char* const kOrderedQueries[] = {
    "SELECT g, id FROM o ORDER BY id DESC",
    "SELECT g, id FROM o ORDER BY g DESC, id",
    "SELECT g, id FROM o ORDER BY (id * 7) % 11, id DESC;",
    "SELECT g, id FROM o WHERE id > 20 ORDER BY 1, 2 DESC -- a comment",
    // The key shown as a column too: MariaDB refuses repeated names in a derived table.
    "SELECT id, id, g FROM o ORDER BY g, id DESC",
    "SELECT g, id FROM o ORDER BY id DESC LIMIT 120 OFFSET 7",
    // Ordered to the key, the first field: the pages near the end are read from the end.
    "SELECT id, id AS ident, g FROM o ORDER BY g DESC, id",
    "SELECT id, id AS ident, g FROM o ORDER BY CAST(id AS CHAR(10)) DESC, o.id",
    "SELECT id, id AS ident, g FROM o ORDER BY NULLIF(g, 0), 1 DESC",
};

// Null placements MariaDB cannot state.
const char* const kNullsPlacedQueries[] = {
    "SELECT id, id AS ident, g FROM o ORDER BY NULLIF(g, 0) NULLS FIRST, id DESC",
    "SELECT id, id AS ident, g FROM o ORDER BY NULLIF(g, 0) DESC NULLS LAST, id",
};

// The rows as the server gives the query itself.
QList<int> idsOfTheQuery(const QSqlDatabase& db, const QString& query)
{
    QList<int> ids;
    QSqlQuery run(db);
    EXPECT_TRUE(run.exec(query)) << run.lastError().text().toStdString();
    while (run.next())
        ids << run.value(1).toInt();
    return ids;
}

// Field `field` of the set's rows, read page by page from the last to the first, so that each is
// read with its own page statement (those near the end backwards).
QList<int> idsPageByPage(tessaro::Recordset& set, int field)
{
    set.setPageSize(kPageRows);
    QList<int> ids;
    for (int page = set.PageCount(); page >= 1; --page) {
        set.setAbsolutePage(page);
        QList<int> rows;
        for (int row = 0; row < kPageRows && !set.Eof() && set.AbsolutePage() == page; ++row, set.MoveNext())
            rows << set.FieldValue(field).toInt();
        ids = rows + ids;
    }
    return ids;
}

// Each ordered query read page by page, and in a read of every row, gives the server's own rows.
void expectPagesInTheQuerysOrder(const QSqlDatabase& db, bool nullsPlaced)
{
    std::vector<const char*> queries(std::begin(kOrderedQueries), std::end(kOrderedQueries));
    if (nullsPlaced)
        queries.insert(queries.end(), std::begin(kNullsPlacedQueries), std::end(kNullsPlacedQueries));
    for (const char* query : queries) {
        SCOPED_TRACE(query);
        tessaro::Recordset set;
        set.Open(QString::fromLatin1(query), db);
        const QList<int> expected = idsOfTheQuery(db, QString::fromLatin1(query));
        ASSERT_EQ(expected.size(), set.RecordCount());
        QList<int> whole;
        tessaro::sql::RecordsetRows::readOn(*set.Clone(), tessaro::sql::RecordsetRows::kLongestCachedRun + 1,
                                            [&](const tessaro::sql::RowValues& row) { whole << row.value(1).toInt(); });
        EXPECT_EQ(whole, expected);
        EXPECT_EQ(idsPageByPage(set, 1), expected);
    }
}

void fill(const QSqlDatabase& db, const QString& create)
{
    QSqlQuery query(db);
    ASSERT_TRUE(query.exec(QStringLiteral("DROP TABLE IF EXISTS o")) && query.exec(create)
                && query.prepare(QStringLiteral("INSERT INTO o VALUES (?, ?)"))) << query.lastError().text().toStdString();
    QVariantList ids, groups;
    for (int id = 1; id <= kRows; ++id)
        ids << id, groups << id % 5;
    query.addBindValue(ids);
    query.addBindValue(groups);
    ASSERT_TRUE(query.execBatch()) << query.lastError().text().toStdString();
}

// Every row sorted by the database by g (0 read as Null), both ways: ascending with Nulls last
// and ties in key order, descending exactly the reverse.
void expectSortedPagesInTheRulesOrder(const QSqlDatabase& db)
{
    tessaro::Recordset set;
    set.Open(QStringLiteral("SELECT id, NULLIF(g, 0) AS g FROM o ORDER BY id DESC"), db);
    QList<int> ascending;
    for (int g : {1, 2, 3, 4, 0})
        for (int id = 1; id <= kRows; ++id)
            if (id % 5 == g)
                ascending << id;
    QList<int> descending(ascending.rbegin(), ascending.rend());
    EXPECT_EQ(idsPageByPage(*tessaro::sql::RecordsetRows::sorted(set, 1, false), 0), ascending);
    EXPECT_EQ(idsPageByPage(*tessaro::sql::RecordsetRows::sorted(set, 1, true), 0), descending);
}

} // namespace

TEST(Dialect, PagesFollowTheQuerysOrderOnEveryServer)
{
    tessaro::test::TestDatabase sqlite;
    fill(sqlite.db(), QStringLiteral("CREATE TABLE o (id INTEGER PRIMARY KEY, g INTEGER)"));
    expectPagesInTheQuerysOrder(sqlite.db(), true);
    expectSortedPagesInTheRulesOrder(sqlite.db());
    for (const bool mariadb : {false, true}) {
        SCOPED_TRACE(mariadb ? "MariaDB" : "PostgreSQL");
        if (mariadb)
            TESSARO_REQUIRE_MARIADB();
        else
            TESSARO_REQUIRE_POSTGRES();
        const QString name = QUuid::createUuid().toString();
        {
            QSqlDatabase db = mariadb ? tessaro::test::MariadbServer::instance().connection(name)
                                      : tessaro::test::PostgresCluster::instance().connection(name);
            ASSERT_TRUE(db.open());
            fill(db, QStringLiteral("CREATE TABLE o (id INT PRIMARY KEY, g INT)"));
            expectPagesInTheQuerysOrder(db, !mariadb);
            expectSortedPagesInTheRulesOrder(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
}

// An order read backwards turns each term round; an order that is not total, or that the text
// cannot be sure of, is not read backwards at all.
TEST(Dialect, AnOrderEndingWithTheKeyIsTurnedRoundTermByTerm)
{
    const struct { const char *body, *reversed; /* nullptr: not read backwards */ } cases[] = {
        {"SELECT id, v FROM t ORDER BY id", "SELECT id, v FROM t ORDER BY id DESC"},
        {"SELECT id, v FROM t ORDER BY v DESC, t.id", "SELECT id, v FROM t ORDER BY v ASC, t.id DESC"},
        {"SELECT id, v FROM t ORDER BY v NULLS FIRST, 1 DESC", "SELECT id, v FROM t ORDER BY v DESC NULLS LAST, 1 ASC"},
        {"SELECT id, v FROM t ORDER BY f(v, ',') desc nulls last, \"id\"",
         "SELECT id, v FROM t ORDER BY f(v, ',') ASC NULLS FIRST, \"id\" DESC"},
        {"SELECT id, v FROM t ORDER BY v COLLATE NOCASE, id", "SELECT id, v FROM t ORDER BY v COLLATE NOCASE DESC, id DESC"},
        {"SELECT id, v FROM t ORDER BY v", nullptr}, {"SELECT id, v FROM t ORDER BY id LIMIT 5", nullptr},
        {"SELECT id, v FROM t ORDER BY v USING <, id", nullptr}, {"SELECT id, v FROM t ORDER BY v, id -- the key", nullptr},
        {"SELECT id, v FROM t", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<QString> reversed = tessaro::sql::reversedOrdering(QString::fromLatin1(c.body), QStringLiteral("id"));
        EXPECT_EQ(reversed.value_or("(none)").toStdString(), c.reversed ? c.reversed : "(none)") << c.body;
    }
}
