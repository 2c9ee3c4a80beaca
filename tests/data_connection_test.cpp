#include "support/MessageBoxRecorder.h"
#include "support/PostgresCluster.h"
#include "support/TestHelpers.h"

#include <tessaro/Tessaro.h>

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tessaro;

// A paged control over 60 rows on the test cluster loses its session, then its server.
TEST(OnPostgres, APageClickAfterTheSessionEndedReconnectsAndWhileTheServerIsDownTheSwitchWarns)
{
    TESSARO_REQUIRE_POSTGRES();
    test::PostgresCluster& cluster = test::PostgresCluster::instance();
    ASSERT_TRUE(cluster.execute(QStringLiteral("DROP TABLE IF EXISTS items; CREATE TABLE items AS "
                                               "SELECT i AS id, 'item ' || i AS name FROM generate_series(1, 60) i")));
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
    test::writeTestLanguage(folder.path(), "LE02=\"Attention\"\nLE03=\"No database\"\n");
    test::MessageBoxRecorder boxes;
    {
        QSqlDatabase db = cluster.connection(QStringLiteral("control"));
        ASSERT_TRUE(db.open());
        Tessaro control;
        control.resize(600, 250);
        control.show();
        control.CambiaLingua(folder.path());
        control.setDBConnection(db);
        control.setQuery(QStringLiteral("SELECT id, name FROM items ORDER BY id;"));
        control.setPaged(true);
        control.Init_class(QStringLiteral("ConnectionTest"), true);
        control.PopulateList();
        ASSERT_TRUE(boxes.messages().empty());
        const int pageSize = control.PageSize();
        ASSERT_LT(pageSize, 30) << "page 2 must be a whole page";
        const auto click = [&](const char* name) {
            QTest::mouseClick(control.findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton);
        };

        ASSERT_TRUE(
            cluster.execute(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                           "WHERE pid <> pg_backend_pid() AND backend_type = 'client backend'")));
        click("lblPag(2)");
        EXPECT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
        EXPECT_EQ(control.AbsolutePage(), 2);
        ASSERT_EQ(control.ListView->ListItems().Count(), pageSize);
        EXPECT_EQ(control.ListView->ListItems().Item(1)->Tag().toInt(), pageSize + 1);

        ASSERT_TRUE(cluster.stop());
        click("lblCaricatutti");
        EXPECT_TRUE(cluster.start());
        ASSERT_EQ(boxes.messages().size(), 1u);
        const auto& box = boxes.messages()[0];
        EXPECT_EQ(box.title + ": " + box.text, QStringLiteral("Attention: No database"));
        EXPECT_EQ(box.style, 48);
        EXPECT_TRUE(control.Paged()) << "the list stays as it was";
        EXPECT_EQ(control.PageSize(), pageSize);
        EXPECT_EQ(control.ListView->ListItems().Count(), pageSize);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("control"));
}
