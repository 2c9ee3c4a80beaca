#include "support/PostgresCluster.h"
#include "support/ShownControl.h"

#include <QTest>

using namespace tessaro;

using OnPostgres = test::ShownControl;

// A paged control over 60 rows on the test cluster loses its session, then its server.
TEST_F(OnPostgres, ALostSessionIsOpenedAgainOnTheNextMove)
{
    TESSARO_REQUIRE_POSTGRES();
    test::PostgresCluster& cluster = test::PostgresCluster::instance();
    ASSERT_TRUE(cluster.execute(QStringLiteral("DROP TABLE IF EXISTS items; CREATE TABLE items AS "
                                               "SELECT i AS id, 'item ' || i AS name FROM generate_series(1, 60) i")));
    useLanguage("LE02=\"Attention\"\nLE03=\"No database\"\n");
    QSqlDatabase db = cluster.connection(QStringLiteral("control"));
    ASSERT_TRUE(db.open());
    control.setDBConnection(db);
    showAt(600, 250);
    load(QStringLiteral("SELECT id, name FROM items ORDER BY id;"), true, QStringLiteral("ConnectionTest"));
    const int pageSize = control.PageSize();
    ASSERT_LT(pageSize, 30) << "page 2 must be a whole page";

    ASSERT_TRUE(cluster.execute(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                               "WHERE pid <> pg_backend_pid() AND backend_type = 'client backend'")));
    QTest::mouseClick(child("lblPag(2)"), Qt::LeftButton);
    EXPECT_EQ(takeMessages(), QStringList());
    EXPECT_EQ(control.AbsolutePage(), 2);
    ASSERT_EQ(control.ListView->ListItems().Count(), pageSize);
    EXPECT_EQ(control.ListView->ListItems().Item(1)->Tag().toInt(), pageSize + 1);

    // The list stays as it was.
    ASSERT_TRUE(cluster.stop());
    QTest::mouseClick(child("lblCaricatutti"), Qt::LeftButton);
    EXPECT_TRUE(cluster.start());
    EXPECT_EQ(takeMessages(), QStringList({"No database", "48", "Attention"}));
    EXPECT_EQ((QList<int>{control.Paged(), control.PageSize(), control.ListView->ListItems().Count()}),
              (QList<int>{true, pageSize, pageSize}));
}
