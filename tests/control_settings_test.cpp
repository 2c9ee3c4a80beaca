#include "support/MessageBoxRecorder.h"
#include "support/TestDatabase.h"

#include <tessaro/Tessaro.h>

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tessaro;

namespace {

// Controls named "orders" over a table of five visible columns, with settings kept in a
// private folder.
struct Settings : ::testing::Test {
    QTemporaryDir folder;
    test::TestDatabase database;
    test::MessageBoxRecorder boxes;

    Settings()
    {
        qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        database.exec(QStringLiteral("CREATE TABLE t (id INTEGER, a TEXT, b TEXT, c TEXT, d TEXT, e TEXT)"));
        database.exec(QStringLiteral("INSERT INTO t VALUES (1, 'a', 'b', 'c', 'd', 'e'), (2, 'f', 'g', 'h', 'i', 'j')"));
    }

    std::unique_ptr<Tessaro> show(int columns, const QString& appTitle = QStringLiteral("SettingsTest"),
                                  bool noWidths = false, bool paged = true)
    {
        QStringList fields{QStringLiteral("id")};
        for (int k = 0; k < columns; ++k)
            fields << QString(QChar('a' + k));
        auto control = std::make_unique<Tessaro>();
        control->setObjectName(QStringLiteral("orders"));
        control->resize(600, 300);
        control->setDBConnection(database.db());
        control->setQuery(QStringLiteral("SELECT %1 FROM t").arg(fields.join(',')));
        control->setPaged(paged);
        control->Init_class(appTitle, noWidths);
        control->PopulateList();
        return control;
    }

    QStringList keys(const QString& application = QStringLiteral("SettingsTest")) const
    {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tessaro"), application);
        settings.beginGroup(QStringLiteral("orders"));
        QStringList all = settings.childKeys();
        all.sort();
        return all;
    }
};

} // namespace

TEST_F(Settings, TeardownSavesTheViewAndTheWidthsUnlessWidthsAreNotKept)
{
    show(3)->ListView->ColumnHeaders().Item(2)->setWidth(1234.5);
    EXPECT_EQ(keys(), (QStringList{"1", "2", "3", "Paged"}));
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Tessaro", "SettingsTest");
    EXPECT_EQ(settings.value("orders/Paged").toString(), QStringLiteral("True"));
    EXPECT_EQ(settings.value("orders/2").toString(), QStringLiteral("1234.5")) << "no group separator";

    show(3, QStringLiteral("NoWidths"), true, false);
    EXPECT_EQ(keys(QStringLiteral("NoWidths")), QStringList{"Paged"});
    QSettings noWidths(QSettings::IniFormat, QSettings::UserScope, "Tessaro", "NoWidths");
    EXPECT_EQ(noWidths.value("orders/Paged").toString(), QStringLiteral("False"));

    show(2, QString());
    EXPECT_EQ(keys(QStringLiteral("Tessaro")), (QStringList{"1", "2", "Paged"})) << "no title: the component's own";
}

TEST_F(Settings, StoredEntriesComeBackOnTheNextPopulateAndAreSharedByName)
{
    {
        auto first = show(5);
        for (int k = 1; k <= 5; ++k)
            first->ListView->ColumnHeaders().Item(k)->setWidth(1000 + k);
    }
    {
        auto narrower = show(3);
        narrower->ListView->ColumnHeaders().Item(1)->setWidth(1440);
    }
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Tessaro", "SettingsTest");
    EXPECT_EQ(settings.value("orders/4").toString(), QStringLiteral("1004")) << "beyond the columns: kept";

    auto again = show(5);
    const double expected[] = {1440, 1002, 1003, 1004, 1005};
    for (int k = 1; k <= 5; ++k)
        EXPECT_DOUBLE_EQ(again->ListView->ColumnHeaders().Item(k)->Width(), expected[k - 1]) << k;

    auto ignoring = show(5, QStringLiteral("SettingsTest"), true);
    EXPECT_NE(ignoring->ListView->ColumnHeaders().Item(1)->Width(), 1440) << "widths not kept are not read";
    EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(Settings, OnlyTheExactTextsTrueAndFalseChangeTheView)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Tessaro", "SettingsTest");
    for (const auto& [stored, hostPaged, expected] :
         {std::tuple{"true", false, false}, {"True", false, true}, {"False", true, false}, {"yes", true, true}}) {
        SCOPED_TRACE(stored);
        settings.setValue("orders/Paged", stored);
        settings.sync();
        Tessaro control;
        control.setObjectName(QStringLiteral("orders"));
        control.setDBConnection(database.db());
        control.setQuery(QStringLiteral("SELECT id, a FROM t"));
        control.setPaged(hostPaged);
        control.Init_class(QStringLiteral("SettingsTest"), true);
        control.PopulateList();
        EXPECT_EQ(control.Paged(), expected);
        control.setObjectName(QStringLiteral("other")); // keep this run's save out of the next case
    }
}

TEST_F(Settings, AWidthThatIsNotANumberIsReportedAfterTheFill)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Tessaro", "SettingsTest");
    settings.setValue("orders/1", "1500");
    settings.setValue("orders/2", "wide");
    settings.setValue("orders/3", "1700");
    settings.sync();
    auto control = show(3);
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].text, QStringLiteral("Tessaro PopulateList Err=13\r\nType mismatch"));
    EXPECT_EQ(control->ListView->ListItems().Count(), 2) << "the list was filled before";
    EXPECT_DOUBLE_EQ(control->ListView->ColumnHeaders().Item(1)->Width(), 1500);
    EXPECT_NE(control->ListView->ColumnHeaders().Item(3)->Width(), 1700) << "widths after the bad one stay";
}

TEST_F(Settings, AStoreThatCannotBeWrittenOrReadNeverCostsTheList)
{
    // A folder where the settings file should be, then a file full of garbage.
    QDir(folder.path()).mkpath(QStringLiteral("Tessaro/SettingsTest.ini"));
    {
        auto control = show(3);
        EXPECT_EQ(control->ListView->ListItems().Count(), 2);
    }
    QDir(folder.path() + QStringLiteral("/Tessaro/SettingsTest.ini")).removeRecursively();
    QFile garbage(folder.path() + QStringLiteral("/Tessaro/SettingsTest.ini"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, '\xff') + "\n[orders\n=\n\0\0");
    garbage.close();
    auto control = show(3);
    EXPECT_EQ(control->ListView->ListItems().Count(), 2);
    EXPECT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
}
