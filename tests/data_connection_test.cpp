#include "support/TestHelpers.h"
#include "support/MessageBoxRecorder.h"
#include "support/PostgresCluster.h"

#include <tessaro/Tessaro.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tessaro;
using tessaro::test::PostgresCluster;

namespace {

using tessaro::test::writeFile;

// A paged control over 60 rows of a table on the test cluster, with language strings for the
// connection warning.
struct OnPostgres : ::testing::Test {
    QTemporaryDir folder;
    test::MessageBoxRecorder boxes;
    std::unique_ptr<Tessaro> control;
    QSqlDatabase db;

    void SetUp() override
    {
        TESSARO_REQUIRE_POSTGRES();
        PostgresCluster& cluster = PostgresCluster::instance();
        ASSERT_TRUE(cluster.execute(QStringLiteral("DROP TABLE IF EXISTS items; CREATE TABLE items AS "
                                                   "SELECT i AS id, 'item ' || i AS name FROM generate_series(1, 60) i")));
        qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
        writeFile(folder.filePath(QStringLiteral("LangSetting.ini")), "[Language]\nCurrentLanguage=Test\n");
        writeFile(folder.filePath(QStringLiteral("Test.lng")),
                  "[Strings]\nLE02=\"Attention\"\nLE03=\"No database\"\n");
        db = cluster.connection(QStringLiteral("control"));
        ASSERT_TRUE(db.open());
        control = std::make_unique<Tessaro>();
        control->setObjectName(QStringLiteral("pglist"));
        control->resize(600, 250);
        control->show();
        control->CambiaLingua(QDir::toNativeSeparators(folder.path()));
        control->setDBConnection(db);
        control->setQuery(QStringLiteral("SELECT id, name FROM items ORDER BY id;"));
        control->setPaged(true);
        control->Init_class(QStringLiteral("ConnectionTest"), true);
        control->PopulateList();
        ASSERT_TRUE(boxes.messages().empty());
        ASSERT_GT(control->PageSize(), 1);
        ASSERT_LT(control->PageSize(), 30);
    }

    void TearDown() override
    {
        control.reset();
        PostgresCluster::instance().start();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("control"));
    }

    QWidget* child(const QString& name) const { return control->findChild<QWidget*>(name); }
};

} // namespace

TEST_F(OnPostgres, APageClickAfterTheServerEndedTheSessionReconnectsAndReopens)
{
    ASSERT_TRUE(PostgresCluster::instance().execute(
        QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                       "WHERE pid <> pg_backend_pid() AND backend_type = 'client backend'")));
    QTest::mouseClick(child(QStringLiteral("lblPag(2)")), Qt::LeftButton);

    EXPECT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
    EXPECT_EQ(control->AbsolutePage(), 2);
    ASSERT_EQ(control->ListView->ListItems().Count(), control->PageSize());
    EXPECT_EQ(control->ListView->ListItems().Item(1)->Tag().toInt(), control->PageSize() + 1);
}

TEST_F(OnPostgres, WhileTheServerIsDownTheSwitchWarnsAndKeepsTheList)
{
    const int rows = control->ListView->ListItems().Count();
    const int pageSize = control->PageSize();
    ASSERT_TRUE(PostgresCluster::instance().stop());

    QTest::mouseClick(child(QStringLiteral("lblCaricatutti")), Qt::LeftButton);

    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].text, QStringLiteral("No database"));
    EXPECT_EQ(boxes.messages()[0].title, QStringLiteral("Attention"));
    EXPECT_EQ(boxes.messages()[0].style, 48);
    EXPECT_TRUE(control->Paged());
    EXPECT_EQ(control->PageSize(), pageSize);
    EXPECT_EQ(control->ListView->ListItems().Count(), rows);
}
