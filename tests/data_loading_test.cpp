#include "support/ShownControl.h"

#include <QAbstractItemModelTester>
#include <QMainWindow>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <cmath>

using namespace tessaro;

namespace {

// A control over a 25-row table, sized in twips.
struct Loaded : test::ShownControl {
    Loaded()
    {
        database.createNumbered(QStringLiteral("t"), 25);
        showAt(qRound(9030 / 15.0), qRound(3765 / 15.0));
    }

    void resizeTwips(double width, double height) { control.resize(qRound(width / 15), qRound(height / 15)); }
    double lstv(const char* property) const
    {
        return control.findChild<QObject*>("lstv")->property(property).toDouble();
    }
    QWidget* frame() const { return child("fraPaginazione"); }
};

} // namespace

// Without a query, and with one the database refuses, the fill reports the same closed result
// set, fills nothing, and leaves the database's own error for the host to read.
TEST_F(Loaded, PopulateWithoutAnOpenResultOnlyReportsIt)
{
    const QString broken = QStringLiteral("SELEC id, name FROM t");
    const QSqlError expected = QSqlQuery(broken, database.db()).lastError();
    ASSERT_FALSE(expected.databaseText().isEmpty());
    for (const QString& query : {QString(), broken}) {
        SCOPED_TRACE(query.toStdString());
        query.isEmpty() ? control.Init_class() : init(query, false, QStringLiteral("LoadingTest"));
        EXPECT_EQ(control.Columns->Count(), 0);
        control.PopulateList();
        const QStringList shown = takeMessages();
        EXPECT_EQ(shown.mid(0, 2), QStringList({"Tessaro PopulateList Err=3704\r\nOperation is not allowed when the "
                                                "object is closed.", "16"}));
        EXPECT_EQ(shown.size(), 3) << "one message";
        EXPECT_EQ(control.ListView->ListItems().Count(), 0);
        EXPECT_TRUE(frame()->isHidden());
    }
    EXPECT_EQ((QStringList{control.rst->LastDatabaseError().databaseText(),
                           control.rst->LastDatabaseError().nativeErrorCode()}),
              (QStringList{expected.databaseText(), expected.nativeErrorCode()}));
}

TEST_F(Loaded, APageHoldsTheRowsThatFit)
{
    init(QStringLiteral("SELECT id, name, amount FROM t ORDER BY id"), true, QStringLiteral("LoadingTest"));
    EXPECT_EQ(control.Columns->Count(), 3) << "one descriptor per field, the key's included";
    QAbstractItemModelTester tester(control.ListView->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    populate();
    EXPECT_FALSE(frame()->isHidden());
    ASSERT_GT(control.ListView->ListItems().Count(), 0);
    // As many rows as fit in the list's height less 400 twips.
    const double rowHeight = control.ListView->ListItems().Item(1)->Height();
    const auto fitting = [&] { return static_cast<int>(std::floor((lstv("Height") - 400) / rowHeight)); };
    EXPECT_EQ(control.PageSize(), fitting());
    EXPECT_EQ(control.ListView->ListItems().Count(), control.PageSize());

    // Headers wider than the list (their sum plus 100) leave room for one row less.
    control.ListView->ColumnHeaders().Item(1)->setWidth(lstv("Width") / 2);
    control.ListView->ColumnHeaders().Item(2)->setWidth(lstv("Width") / 2);
    resizeTwips(9030, 3780); // a resize refits the page
    EXPECT_EQ(control.PageSize(), fitting() - 1);

    // Without rows: 3000 / 200 - 4 = 11; 810 / 200 - 4 = 0, never below 1. Heights are whole pixels.
    init(QStringLiteral("SELECT id, name FROM t WHERE id < 0"), true, QStringLiteral("LoadingEmptyTest"));
    for (const auto& [listHeight, expected] : {std::pair{3000.0, 11}, std::pair{810.0, 1}}) {
        resizeTwips(9030, listHeight + 105 + 240);
        control.PopulateList();
        EXPECT_DOUBLE_EQ(lstv("Height"), listHeight);
        EXPECT_EQ(control.PageSize(), expected) << listHeight;
    }
}

TEST_F(Loaded, ResizeLaysOutTheChildren)
{
    // Sizes are whole pixels of 15 twips.
    resizeTwips(6000, 4005);
    // the list's width and height, the frame's top and width
    EXPECT_EQ((QList<double>{lstv("Width"), lstv("Height"), frame()->property("Top").toDouble(),
                             frame()->property("Width").toDouble()}),
              (QList<double>{6000, 4005 - 105 - 240, 105 + 4005 - 105 - 240, 6000}));
    control.setIntestazioneVisibile(true);
    resizeTwips(6000, 4020);
    EXPECT_DOUBLE_EQ(lstv("Height"), 4020 - 105 - 240 - 525);
    resizeTwips(6000, 300); // below the panel's 525 twips
    EXPECT_EQ(control.height(), 525 / 15);
}

// Whatever order a host resizes ('r'), shows ('s'), opens ('i') and fills ('p') a paged control
// in, alone or in a main window's layout, the first page holds the whole rows that fit and none
// cut; showing or hiding the header panel ('h') refits it as a resize does, announcing it once.
TEST_F(Loaded, ThePageFitsWhateverTheHostsOrder)
{
    database.createNumbered(QStringLiteral("many"), 1000);
    for (const auto& [steps, inWindow] : {std::pair{"rsip", false}, {"sirp", false}, {"iprs", false},
                                          {"rips", false}, {"rsip", true}, {"iprs", true}, {"rsiph", false},
                                          {"rsiphh", true}}) {
        SCOPED_TRACE(std::string(steps) + (inWindow ? " in a main window" : ""));
        QMainWindow window;
        auto* shown = new Tessaro;
        QWidget& host = inWindow ? static_cast<QWidget&>(window) : *shown;
        if (inWindow)
            window.setCentralWidget(shown);
        shown->setDBConnection(database.db());
        shown->setPaged(true);
        shown->setQuery(QStringLiteral("SELECT id, name FROM many ORDER BY id"));
        int announced = 0;
        QObject::connect(shown, &Tessaro::PopulatedList, [&] { ++announced; });
        for (const char* step = steps; *step; ++step) {
            const int before = announced;
            *step == 'r' ? host.resize(600, 400) : *step == 's' ? host.show()
            : *step == 'i' ? shown->Init_class(QStringLiteral("LoadingOrderTest"), true)
            : *step == 'p' ? shown->PopulateList() : void();
            if (*step == 'h') {
                const bool panel = shown->IntestazioneVisibile();
                QWidget* visibleSwitch = shown->findChild<QWidget*>(panel ? "pctNascondi" : "pctEstendi");
                QTest::mouseClick(visibleSwitch, Qt::LeftButton, {}, visibleSwitch->rect().center());
                ASSERT_NE(shown->IntestazioneVisibile(), panel);
                EXPECT_EQ(announced, before + 1);
            }
        }
        ListView& list = *shown->ListView;
        ASSERT_GT(list.ListItems().Count(), 0);
        const double rowHeight = list.ListItems().Item(1)->Height();
        EXPECT_EQ(shown->PageSize(), static_cast<int>(std::floor((list.Height() - 400) / rowHeight)));
        EXPECT_EQ(list.ListItems().Count(), shown->PageSize());
        EXPECT_LE(list.visualRect(list.model()->index(shown->PageSize() - 1, 0)).bottom(), list.viewport()->height());
        if (!inWindow)
            delete shown;
    }
}
