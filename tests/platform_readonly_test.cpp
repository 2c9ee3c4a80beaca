// The result set never changes the database: on real SQLite and PostgreSQL, with and without a
// transaction the host holds open on the same connection.
#include <tessaro/Recordset.h>
#include <tessaro/Tessaro.h>

#include "platform/sql/RecordsetRows.h"
#include "platform/sql/StatementCheck.h"
#include "support/MariadbServer.h"
#include "support/MessageBoxRecorder.h"
#include "support/PostgresCluster.h"
#include "support/TestDatabase.h"
#include "support/TestHelpers.h"

#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>

using tessaro::Recordset;

namespace {

// Table c: ids 1..50 with n = id. What the host's own transaction changes: n of row 1.
const char* const kHostChange = "UPDATE c SET n = -1 WHERE id = 1";

struct WritingStatement { const char *label, *sql; bool inHostTransaction = true; };

// Statements that would write on both databases.
const std::vector<WritingStatement> kCommon = {
    {"delete", "DELETE FROM c WHERE id > 40"}, {"update", "UPDATE c SET n = n + 100"},
    {"insert", "INSERT INTO c VALUES (1000, 1000)"}, {"create table", "CREATE TABLE made_by_query (x int)"},
    {"drop table", "DROP TABLE c"}, {"second statement", "SELECT id, n FROM c; UPDATE c SET n = n + 100"},
    {"second statement hidden by the subquery form", "SELECT 1) AS x; DELETE FROM c; SELECT * FROM (SELECT 1"},
    // Would end or undo the host's transaction rather than write: refused as well.
    {"commit", "COMMIT"}, {"rollback", "ROLLBACK"}, {"begin", "BEGIN"},
};

const std::vector<WritingStatement> kSqliteOnly = {
    {"data-modifying with", "WITH d AS (SELECT id FROM c WHERE id > 40) DELETE FROM c WHERE id IN (SELECT id FROM d)"},
    {"pragma that writes", "PRAGMA user_version = 7"},
};

const std::vector<WritingStatement> kPostgresOnly = {
    {"data-modifying with", "WITH d AS (DELETE FROM c WHERE id > 40 RETURNING *) SELECT * FROM d"},
    {"select calling a writing function", "SELECT id, bump() FROM c"},
    {"set read-write then delete", "SET transaction_read_only = off; DELETE FROM c"},
    {"savepoint release", "RELEASE SAVEPOINT tessaro_read_only"},
};

const std::vector<WritingStatement> kMariadbOnly = {
    {"replace", "REPLACE INTO c VALUES (1, 1000)"}, {"load data", "LOAD DATA INFILE '/etc/hostname' INTO TABLE c"},
    {"into outfile", "SELECT id, n FROM c INTO OUTFILE '/tmp/tessaro-readonly-outfile'"},
    {"into a variable", "SELECT n FROM c WHERE id = 1 INTO @n"}, {"for update", "SELECT id, n FROM c FOR UPDATE"},
    {"lock in share mode", "SELECT id, n FROM c LOCK IN SHARE MODE"}, {"call", "CALL wipe()"},
    {"do", "DO (SELECT COUNT(*) FROM c)"}, {"handler", "HANDLER c OPEN"}, {"set", "SET autocommit = 1"},
    {"truncate", "TRUNCATE TABLE c"}, {"select calling a writing function", "SELECT id, bump() FROM c"},
    // Only the read-only transaction refuses it: inside a host transaction it runs, within a savepoint
    // undone afterwards.
    {"writing function alone", "SELECT bump()", false}, {"server-run comment", "SELECT id /*! , n FROM c; DELETE FROM c */"},
    {"hash comment hiding a quote", "SELECT id # '\n; DELETE FROM c; -- '"},
};

// One host connection with the table c, on SQLite (in memory) or on the test cluster.
struct Host {
    QSqlDatabase db;
    QSqlDatabase observer = {}; ///< a second connection that sees only what was committed

    bool exec(const QString& sql)
    {
        QSqlQuery query(db);
        const bool ok = query.exec(sql);
        EXPECT_TRUE(ok) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        return ok;
    }
    // Rows, sum of n, the writes' side tables and SQLite's version number, as the host sees them.
    QString fingerprint()
    {
        const bool sqlite = db.driverName() == QLatin1String("QSQLITE");
        QSqlQuery query(db);
        const QString tables = db.tables().filter(QStringLiteral("made_by_query")).join(',');
        if (!query.exec(QStringLiteral("SELECT COUNT(*), SUM(n), %1 FROM c")
                            .arg(sqlite ? "(SELECT user_version FROM pragma_user_version)" : "''")) || !query.next())
            return QStringLiteral("no table c: ") + query.lastError().text() + tables;
        return QStringList{query.value(0).toString(), query.value(1).toString(), tables, query.value(2).toString()}.join(' ');
    }
};

// Every writing statement, without and with a host transaction: Open fails with a message, the
// data stays as it was, and the host's transaction stays open with its own change, still usable.
void expectEveryWriteRefused(Host& host, const std::vector<WritingStatement>& statements)
{
    const QString original = host.fingerprint();
    ASSERT_EQ(original, QStringLiteral("50 1275  ") + (host.db.driverName() == "QSQLITE" ? "0" : ""));
    for (const bool hostTransaction : {false, true}) {
        for (const WritingStatement& statement : statements) {
            if (hostTransaction && !statement.inHostTransaction)
                continue;
            SCOPED_TRACE(testing::Message() << statement.label << (hostTransaction ? ", in a host transaction" : ""));
            QString hostState = original;
            if (hostTransaction) {
                ASSERT_TRUE(host.db.transaction());
                host.exec(QString::fromLatin1(kHostChange));
                hostState = host.fingerprint();
                ASSERT_NE(hostState, original);
            }
            Recordset set;
            const QString description = tessaro::test::errorTextOf([&] { set.Open(QString::fromLatin1(statement.sql), host.db); });
            EXPECT_TRUE(!description.isEmpty() && set.State() == 0 && set.LastDatabaseError().isValid()) << "Open did not fail";
            EXPECT_EQ(host.fingerprint(), hostState) << description.toStdString();
            if (host.observer.isValid())
                EXPECT_EQ(Host{host.observer}.fingerprint(), original) << "committed: " << description.toStdString();
            // A host transaction is still open and not aborted: it takes another change, and rolls back
            // to the original; without one the connection writes again for the host once the set is done.
            EXPECT_TRUE(host.exec(QStringLiteral("UPDATE c SET n = n WHERE id = 3")));
            if (hostTransaction)
                EXPECT_TRUE(host.db.rollback()) << "the host's transaction is gone";
            EXPECT_EQ(host.fingerprint(), original);
        }
    }
}

// Reading works as usual inside the host's transaction and sees its uncommitted change: pages,
// the count, a clone and a read of every row.
void expectReadsInsideAHostTransaction(Host& host)
{
    ASSERT_TRUE(host.db.transaction());
    host.exec(QString::fromLatin1(kHostChange));
    Recordset set;
    set.Open(QStringLiteral("SELECT id, n FROM c ORDER BY id"), host.db);
    set.setPageSize(7);
    EXPECT_EQ((QList<int>{set.RecordCount(), set.PageCount(), set.FieldValue(1).toInt()}), (QList<int>{50, 8, -1}));
    set.setAbsolutePage(8);
    EXPECT_EQ(set.FieldValue(0).toInt(), 50);
    QList<int> ns;
    // A run longer than the cached blocks serve streams, inside the host's transaction too.
    tessaro::sql::RecordsetRows::readOn(*set.Clone(), tessaro::sql::RecordsetRows::kLongestCachedRun + 1,
                                        [&](const tessaro::sql::RowValues& row) { ns << row.value(1).toInt(); });
    EXPECT_EQ((QList<int>{int(ns.size()), ns.value(0), ns.value(49)}), (QList<int>{50, -1, 50}));
    EXPECT_TRUE(host.exec(QStringLiteral("UPDATE c SET n = -2 WHERE id = 2"))) << "the transaction still writes";
    EXPECT_TRUE(host.db.rollback());
    EXPECT_EQ(host.fingerprint().section(' ', 0, 1), QStringLiteral("50 1275"));
}

// A host may leave its own forward-only query half read. Opening the set then goes on as any new
// statement on the connection does, both outside and inside the host's transaction.
void expectOpenAfterAnUnfinishedHostQuery(Host& host)
{
    for (const bool hostTransaction : {false, true}) {
        SCOPED_TRACE(hostTransaction ? "inside the host's transaction" : "outside a transaction");
        if (hostTransaction)
            ASSERT_TRUE(host.db.transaction());
        QSqlQuery unfinished(host.db);
        unfinished.setForwardOnly(true);
        ASSERT_TRUE(unfinished.exec(QStringLiteral("SELECT id FROM c ORDER BY id")));
        ASSERT_TRUE(unfinished.next());
        Recordset set;
        EXPECT_EQ(tessaro::test::errorTextOf([&] { set.Open(QStringLiteral("SELECT id, n FROM c"), host.db); }), QString());
        EXPECT_EQ((QList<int>{set.State(), set.RecordCount()}), (QList<int>{1, 50}));
        if (hostTransaction)
            EXPECT_TRUE(host.db.rollback()) << "the host's transaction is gone";
    }
}

// The control as a host uses it: a writing Query is skipped at Init_class and changes nothing.
void expectInitClassChangesNothing(Host& host)
{
    const QString original = host.fingerprint();
    tessaro::test::MessageBoxRecorder boxes;
    tessaro::Tessaro control;
    control.setDBConnection(host.db);
    control.setQuery(QStringLiteral("DELETE FROM c WHERE id > 40"));
    control.Init_class(QStringLiteral("ReadOnlyTest"), true);
    EXPECT_TRUE(control.rst->State() == 0 && control.rst->LastDatabaseError().isValid());
    EXPECT_EQ(host.fingerprint(), original);
}

// Each writing statement refused, reads inside the host's transaction and after its unfinished
// query, and the control's Init_class: one run per database.
void expectReadOnly(Host& host, const std::vector<WritingStatement>& ownStatements)
{
    expectEveryWriteRefused(host, kCommon);
    expectEveryWriteRefused(host, ownStatements);
    expectReadsInsideAHostTransaction(host);
    expectOpenAfterAnUnfinishedHostQuery(host);
    expectInitClassChangesNothing(host);
}

} // namespace

TEST(ReadOnly, OnSqliteTheQueryOnlyReadsEvenInsideTheHostsTransaction)
{
    tessaro::test::TestDatabase database;
    Host host{database.db()};
    host.exec(QStringLiteral("CREATE TABLE c (id INTEGER PRIMARY KEY, n INTEGER)"));
    host.exec(QStringLiteral("WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 50) "
                             "INSERT INTO c SELECT i, i FROM s"));
    expectReadOnly(host, kSqliteOnly);
}

TEST(ReadOnly, OnPostgresTheQueryOnlyReadsEvenInsideTheHostsTransaction)
{
    TESSARO_REQUIRE_POSTGRES();
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = tessaro::test::PostgresCluster::instance().connection(name);
        ASSERT_TRUE(db.open());
        Host host{db};
        host.exec(QStringLiteral("DROP TABLE IF EXISTS c, made_by_query"));
        host.exec(QStringLiteral("CREATE TABLE c AS SELECT i AS id, i AS n FROM generate_series(1, 50) i"));
        host.exec(QStringLiteral("CREATE OR REPLACE FUNCTION bump() RETURNS int LANGUAGE plpgsql AS "
                                 "$$ BEGIN UPDATE c SET n = n + 1; RETURN 1; END $$"));
        expectReadOnly(host, kPostgresOnly);
    }
    QSqlDatabase::removeDatabase(name);
}

TEST(ReadOnly, OnMariadbTheQueryOnlyReadsEvenInsideTheHostsTransaction)
{
    TESSARO_REQUIRE_MARIADB();
    auto& server = tessaro::test::MariadbServer::instance();
    const QString name = QUuid::createUuid().toString(), observerName = name + QStringLiteral("-observer");
    {
        QSqlDatabase db = server.connection(name), observer = server.connection(observerName);
        ASSERT_TRUE(db.open() && observer.open());
        Host host{db, observer};
        for (const char* setup :
             {"DROP TABLE IF EXISTS c, made_by_query", "CREATE TABLE c (id INT PRIMARY KEY, n INT) ENGINE=InnoDB",
              "INSERT INTO c SELECT seq, seq FROM seq_1_to_50", "DROP PROCEDURE IF EXISTS wipe",
              "CREATE PROCEDURE wipe() DELETE FROM c", "DROP FUNCTION IF EXISTS bump",
              "CREATE FUNCTION bump() RETURNS INT MODIFIES SQL DATA BEGIN UPDATE c SET n = n + 1; RETURN 1; END"})
            host.exec(QString::fromLatin1(setup));
        expectReadOnly(host, kMariadbOnly);
    }
    QSqlDatabase::removeDatabase(name);
    QSqlDatabase::removeDatabase(observerName);
}

// On a driver the database cannot guard, only what the control's own check proves a single read
// is opened.
TEST(ReadOnly, TheStatementCheckForUnguardedDriversAdmitsOnlySingleReads)
{
    using tessaro::sql::StatementDoubt;
    const std::vector<std::pair<const char*, std::optional<StatementDoubt>>> cases = {
        {"SELECT id, n FROM c ORDER BY id;  ", std::nullopt}, {"with t as (select 1 as a) select a from t", std::nullopt},
        {"VALUES (1), (2)", std::nullopt}, {"SELECT 'a;b', \"into\", [update] FROM c -- ; DELETE FROM c\n", std::nullopt},
        {"SELECT id FROM c; DELETE FROM c", StatementDoubt::SeveralStatements},
        {"DELETE FROM c", StatementDoubt::NotARead}, {"EXEC wipe", StatementDoubt::NotARead},
        {"  ", StatementDoubt::NotARead}, {"SELECT id INTO t2 FROM c", StatementDoubt::MayWrite},
        {"SELECT id FROM c FOR UPDATE", StatementDoubt::MayWrite}, {"SELECT NEXTVAL('s')", StatementDoubt::MayWrite},
        {"WITH d AS (DELETE FROM c RETURNING *) SELECT * FROM d", StatementDoubt::MayWrite},
        {"SELECT 1 --1", StatementDoubt::Unreadable}, {"SELECT 1 /*!50000 , 2 */", StatementDoubt::Unreadable},
    };
    for (const auto& [statement, doubt] : cases)
        EXPECT_EQ(tessaro::sql::statementDoubt(QString::fromLatin1(statement)), doubt) << statement;
}
