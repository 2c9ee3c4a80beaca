#include "support/FormatCases.h"
#include "support/ShownControl.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <QSettings>

using namespace tessaro;

namespace {

// Controls named "orders" over a table of five visible columns, with settings kept in a
// private folder.
struct Settings : test::ShownControl {
    test::LocaleScope english{"en_US"};

    Settings()
    {
        database.exec(QStringLiteral("CREATE TABLE t (id INTEGER, a TEXT, b TEXT, c TEXT, d TEXT, e TEXT)"));
        database.exec(
            QStringLiteral("INSERT INTO t VALUES (1, 'a', 'b', 'c', 'd', 'e'), (2, 'f', 'g', 'h', 'i', 'j')"));
    }

    std::unique_ptr<Tessaro> show(int columns, const QString& appTitle = QStringLiteral("SettingsTest"),
                                  bool noWidths = false, bool paged = true)
    {
        auto made = std::make_unique<Tessaro>();
        made->setObjectName(QStringLiteral("orders"));
        made->resize(600, 300);
        made->setDBConnection(database.db());
        made->setQuery(
            QStringLiteral("SELECT id, %1 FROM t").arg(QStringLiteral("a,b,c,d,e").left(2 * columns - 1)));
        made->setPaged(paged);
        made->Init_class(appTitle, noWidths);
        made->PopulateList();
        return made;
    }
    static void setWidths(Tessaro& target, const QList<double>& widths)
    {
        for (int k = 1; k <= widths.size(); ++k)
            target.ListView->ColumnHeaders().Item(k)->setWidth(widths[k - 1]);
    }
    static QList<double> widths(const Tessaro& target)
    {
        QList<double> all;
        for (const ColumnHeader* header : target.ListView->ColumnHeaders())
            all << header->Width();
        return all;
    }
    // The group "orders" of an application's settings, as sorted "key=value" entries.
    static QStringList stored(const char* application = "SettingsTest")
    {
        return test::rememberedSettings(QString::fromLatin1(application), QStringLiteral("orders"));
    }
    static void store(std::initializer_list<std::pair<const char*, const char*>> entries)
    {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Tessaro", "SettingsTest");
        for (const auto& [key, value] : entries)
            settings.setValue(QStringLiteral("orders/") + key, value);
    }
};

} // namespace

// Each control below goes at the end of its statement, saving as it goes.
TEST_F(Settings, TeardownSavesWhatIsKept)
{
    setWidths(*show(3), {1000, 1234.5, 1500});
    EXPECT_EQ(stored(), (QStringList{"1=1000", "2=1234.5", "3=1500", "Paged=True"})) << "no group separator";
    show(3, QStringLiteral("NoWidths"), true, false);
    EXPECT_EQ(stored("NoWidths"), QStringList{"Paged=False"});
    setWidths(*show(2, QString()), {1100, 1200});
    EXPECT_EQ(stored("Tessaro"), (QStringList{"1=1100", "2=1200", "Paged=True"})) << "no title: the component's own";
}

TEST_F(Settings, StoredEntriesComeBackToEveryControlOfTheName)
{
    setWidths(*show(5), {1001, 1002, 1003, 1004, 1005});
    setWidths(*show(3), {1440});
    EXPECT_TRUE(stored().contains("4=1004")) << "beyond the columns: kept";
    EXPECT_EQ(widths(*show(5)), (QList<double>{1440, 1002, 1003, 1004, 1005}));
    EXPECT_NE(widths(*show(5, QStringLiteral("SettingsTest"), true))[0], 1440) << "widths not kept are not read";
    EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(Settings, OnlyTheExactTextsTrueAndFalseChangeTheView)
{
    for (const auto& [stored, hostPaged, expected] :
         {std::tuple{"true", false, false}, {"True", false, true}, {"False", true, false}, {"yes", true, true}}) {
        store({{"Paged", stored}});
        auto made = show(1, QStringLiteral("SettingsTest"), true, hostPaged);
        EXPECT_EQ(made->Paged(), expected) << stored;
        made->setObjectName(QStringLiteral("other")); // keep this run's save out of the next case
    }
}

TEST_F(Settings, AWidthThatIsNotANumberIsReportedAfterTheFill)
{
    store({{"1", "1500"}, {"2", "wide"}, {"3", "1700"}});
    auto made = show(3);
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].text, QStringLiteral("Tessaro PopulateList Err=13\r\nType mismatch"));
    EXPECT_EQ(made->ListView->ListItems().Count(), 2) << "the list was filled before";
    const QList<double> shown = widths(*made);
    EXPECT_TRUE(shown[0] == 1500 && shown[2] != 1700) << "widths after the bad one stay";
}

TEST_F(Settings, AStoreThatCannotBeWrittenOrReadNeverCostsTheList)
{
    // A folder where the settings file should be, then a file full of garbage.
    const QString file = folder.path() + QStringLiteral("/Tessaro/SettingsTest.ini");
    QDir().mkpath(file);
    const int unwritable = show(3)->ListView->ListItems().Count();
    QDir(file).removeRecursively();
    test::writeFile(file, QByteArray(4096, '\xff') + "\n[orders\n=\n\0\0");
    EXPECT_EQ((QList<int>{unwritable, show(3)->ListView->ListItems().Count()}), (QList<int>{2, 2}));
    EXPECT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
}
