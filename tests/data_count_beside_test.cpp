// The first page before the count: the counter while the rows are counted beside the window, the
// exact bar once the count lands, and a count still running when the host tears the control down.
#include "support/HostedControl.h"
#include "support/MariadbServer.h"
#include "support/PostgresCluster.h"
#include "support/StoreConnection.h"
#include "support/TestHelpers.h"

#include <tessaro/Recordset.h>

#include <QApplication>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace tessaro;

namespace {

const char* const kApplication = "CountBesideTest";
constexpr int kRows = 3000;
// Only to catch a hang: every count here lands well within it.
constexpr int kHangBoundMilliseconds = 60000;

using test::Store;

// A control over a table t(id, name) of kRows rows, in an SQLite file or the PostgreSQL cluster.
struct CountBeside : test::HostedControl {
    QSqlDatabase db;

    CountBeside()
    {
        test::writeTestLanguage(folder.path(), "LE06=\"There are\"\nLE07=\"records\"\nLE08=\"in\"\nLE09=\"pages\"\n"
                                               "LE41=\"Counting the records\"\nLE42=\"about\"\n");
    }
    ~CountBeside() override
    {
        delete window;
        test::dropConnection(db);
    }

    void makeStore(Store store)
    {
        db = test::connectStore(store, folder.path(), QStringLiteral("count-beside"));
        ASSERT_TRUE(db.isOpen()) << db.lastError().text().toStdString();
        const bool mariadb = store == Store::Mariadb;
        const QString rows = QStringLiteral("SELECT g, %1 FROM (%2) s")
                                 .arg(mariadb ? QStringLiteral("CONCAT('row ', g)") : QStringLiteral("'row ' || g"),
                                      test::numberSeries(store, kRows));
        for (const QString& sql : {QStringLiteral("DROP TABLE IF EXISTS t"),
                                   QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT)"),
                                   QStringLiteral("INSERT INTO t ") + rows,
                                   mariadb ? QStringLiteral("ANALYZE TABLE t") : QStringLiteral("ANALYZE t")})
            ASSERT_TRUE(QSqlQuery(db).exec(sql)) << sql.toStdString();
        if (store == Store::Postgres)
            ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("CREATE OR REPLACE FUNCTION slow(i int) RETURNS int AS $$ "
                                                          "SELECT i FROM pg_sleep(CASE WHEN i % 10 = 0 THEN 0.0001 ELSE 0 END) $$ LANGUAGE sql")));
    }

    void open(const QString& query)
    {
        HostedControl::open(query, true, kApplication, false, [this](Tessaro& made) {
            made.setDBConnection(db);
            made.CambiaLingua(folder.path());
        });
    }

    QString counter() const { return child("lblNumRecord")->property("Caption").toString(); }
    QString numbers() const
    {
        QStringList shown;
        for (int i = 1; i <= 6; ++i) {
            QWidget* label = child(QStringLiteral("lblPag(%1)").arg(i).toLatin1().constData());
            shown << (label->isHidden() ? QStringLiteral("-") : label->property("Caption").toString());
        }
        return shown.join(' ');
    }
    bool waitForCounter(const QString& text) const
    {
        return QTest::qWaitFor([&] { return counter() == text; }, kHangBoundMilliseconds);
    }
    QString exactCounter() const
    {
        const int pages = (kRows + control->PageSize() - 1) / control->PageSize();
        return QStringLiteral("There are %1 records in %2 pages").arg(kRows).arg(pages);
    }
};

} // namespace

// The page is there at once, the counter says the rows are being counted (PostgreSQL with its
// planner's estimate, exact here after ANALYZE), the next and last arrows lead on; the count
// lands with the bar the control shows for a counted result, the user's row and focus kept.
TEST_F(CountBeside, TheFirstPageShowsBeforeTheCount)
{
    for (const Store store : {Store::SqliteFile, Store::Postgres, Store::Mariadb}) {
        SCOPED_TRACE(test::storeName(store));
        // Each server's half needs the server; the halves before it have run.
        if (store == Store::Postgres)
            TESSARO_REQUIRE_POSTGRES();
        if (store == Store::Mariadb)
            TESSARO_REQUIRE_MARIADB();
        makeStore(store);
        // On PostgreSQL a count slow enough for the estimate to show first, which planning the
        // query exactly gives after ANALYZE.
        const QString query = store == Store::Postgres ? QStringLiteral("SELECT id, name, slow(id) FROM t ORDER BY id")
                                                       : QStringLiteral("SELECT id, name FROM t ORDER BY id");
        open(query);
        EXPECT_EQ(counter(), QStringLiteral("Counting the records..."));
        if (store == Store::Postgres)
            EXPECT_TRUE(waitForCounter(QStringLiteral("Counting the records: about %1 records").arg(kRows)))
                << counter().toStdString();
        EXPECT_EQ(control->ListView->ListItems().Count(), control->PageSize());
        EXPECT_TRUE(child("imgSuccessiva")->isVisible() && child("imgUltimaPagina")->isVisible()) << "the arrows lead on";
        // The pages known to exist: the first, and the second whose first row was read with it.
        EXPECT_EQ(numbers(), QStringLiteral("1 2 - - - -"));
        QTest::mouseClick(control->ListView->viewport(), Qt::LeftButton, {},
                          control->ListView->visualRect(control->ListView->model()->index(2, 0)).center());
        QWidget* const focus = QApplication::focusWidget();
        ASSERT_TRUE(control->isAncestorOf(focus));

        ASSERT_TRUE(waitForCounter(exactCounter())) << counter().toStdString();
        EXPECT_EQ(numbers(), QStringLiteral("1 2 3 4 5 6"));
        EXPECT_EQ(QApplication::focusWidget(), focus);
        ASSERT_NE(control->ListView->SelectedItem(), nullptr);
        EXPECT_EQ(control->ListView->SelectedItem()->Text(), QStringLiteral("row 3"));
        delete window;

        // A host that asks before the count is in gets the exact figures at once.
        open(query);
        EXPECT_EQ(counter(), QStringLiteral("Counting the records..."));
        const int size = control->rst->PageSize();
        EXPECT_EQ(std::make_pair(control->rst->RecordCount(), control->rst->PageCount()),
                  std::make_pair(kRows, (kRows + size - 1) / size));
        EXPECT_TRUE(waitForCounter(exactCounter())) << counter().toStdString();
        delete window;
        db.close();
    }
}

namespace {

// Counts that take far longer than any test: a teardown that did not cancel them would leave
// their connection or thread behind for all to see.
const char* const kEndlessSqlite = "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c "
                                   "WHERE x < 2000000000) SELECT x, x FROM c";
const char* const kEndlessPostgres = "SELECT a.g, b.g FROM generate_series(1, 50000) a(g), generate_series(1, 50000) b(g)";
const char* const kEndlessMariadb = "SELECT a.seq, b.seq FROM seq_1_to_50000 a, seq_1_to_50000 b";

int threadsOfThisProcess()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

// Client sessions of the cluster other than the observer's own.
int postgresSessions(QSqlDatabase& observer)
{
    QSqlQuery query(observer);
    EXPECT_TRUE(query.exec(QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE backend_type = 'client backend' "
                                          "AND pid <> pg_backend_pid()")));
    return query.next() ? query.value(0).toInt() : -1;
}

// Client sessions of the MariaDB server other than the observer's own.
int mariadbSessions(QSqlDatabase& observer)
{
    QSqlQuery query(observer);
    EXPECT_TRUE(query.exec(QStringLiteral("SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE ID <> CONNECTION_ID() "
                                          "AND USER <> 'system user' AND COMMAND <> 'Daemon'")));
    return query.next() ? query.value(0).toInt() : -1;
}

} // namespace

// Deleted, closed, repopulated or paged while its count runs: the count is cancelled with the
// set it belonged to, and no thread or second connection is left.
TEST_F(CountBeside, ACountStillRunningEndsWithEveryTeardown)
{
    using Way = std::pair<const char*, std::function<void(CountBeside&)>>;
    const Way ways[] = {
        {"delete the control", [](CountBeside& t) { delete t.control; }},
        {"deleteLater the control", [](CountBeside& t) { t.control->deleteLater(); }},
        {"close the WA_DeleteOnClose window", [](CountBeside& t) { t.window->close(); }},
        {"a new query", [](CountBeside& t) {
             t.control->setQuery(QStringLiteral("SELECT id, name FROM t WHERE id <= 5"));
             t.control->Init_class(QString::fromLatin1(kApplication)), t.control->PopulateList();
             EXPECT_EQ(t.control->ListView->ListItems().Count(), 5);
         }},
        {"a page move, then the window deleted", [](CountBeside& t) {
             EXPECT_NE((t.control->MoveToNextPage(), t.control->AbsolutePage()), 1);
             delete t.window;
         }},
    };
    QSqlDatabase observer;
    for (const Store store : {Store::SqliteFile, Store::Postgres, Store::Mariadb}) {
        SCOPED_TRACE(test::storeName(store));
        // Each server's half needs the server; the halves before it have run.
        if (store == Store::Postgres)
            TESSARO_REQUIRE_POSTGRES();
        if (store == Store::Mariadb)
            TESSARO_REQUIRE_MARIADB();
        makeStore(store);
        if (store != Store::SqliteFile) {
            test::dropConnection(observer);
            observer = store == Store::Postgres
                           ? test::PostgresCluster::instance().connection(QStringLiteral("count-observer"))
                           : test::MariadbServer::instance().connection(QStringLiteral("count-observer"));
            ASSERT_TRUE(observer.open());
        }
        const auto leftOver = [&] {
            return store == Store::Postgres  ? postgresSessions(observer)
                   : store == Store::Mariadb ? mariadbSessions(observer)
                                             : threadsOfThisProcess();
        };
        const QString endless = QString::fromLatin1(store == Store::Postgres  ? kEndlessPostgres
                                                    : store == Store::Mariadb ? kEndlessMariadb
                                                                              : kEndlessSqlite);
        open(QStringLiteral("SELECT id, name FROM t WHERE id <= 5"));
        delete window;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const int before = leftOver();
        for (const auto& [way, tearDown] : ways) {
            SCOPED_TRACE(way);
            open(endless);
            EXPECT_EQ(counter().left(20), QStringLiteral("Counting the records"));
            tearDown(*this);
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            delete window;
            EXPECT_TRUE(QTest::qWaitFor([&] { return leftOver() == before; }, kHangBoundMilliseconds)) << leftOver();
            EXPECT_TRUE(boxes.messages().empty());
        }
        db.close();
    }
}

// The count's own connection dropped by the server: the counter still becomes exact, counted
// on the host's connection, and the user sees no message.
TEST_F(CountBeside, ACountWhoseConnectionDropsIsTakenOnTheHostsConnection)
{
    TESSARO_REQUIRE_POSTGRES();
    makeStore(Store::Postgres);
    open(QStringLiteral("SELECT id, name FROM t WHERE slow(id) = id"));
    QSqlDatabase observer = test::PostgresCluster::instance().connection(QStringLiteral("count-observer"));
    ASSERT_TRUE(observer.open());
    QSqlQuery host(db);
    ASSERT_TRUE(host.exec(QStringLiteral("SELECT pg_backend_pid()")) && host.next());
    // The count's connection is made beside the window: it is dropped once the server has it.
    const QString dropCount = QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE backend_type = "
                                             "'client backend' AND pid NOT IN (pg_backend_pid(), %1)")
                                  .arg(host.value(0).toInt());
    QSqlQuery drop(observer);
    ASSERT_TRUE(QTest::qWaitFor([&] { return drop.exec(dropCount) && drop.next(); }, kHangBoundMilliseconds))
        << "the count runs beside the page, on a connection of its own";
    EXPECT_TRUE(waitForCounter(exactCounter())) << counter().toStdString();
    EXPECT_TRUE(boxes.messages().empty());
}
