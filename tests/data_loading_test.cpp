#include "support/MessageBoxRecorder.h"
#include "support/TestDatabase.h"

#include <tessaro/Tessaro.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace tessaro;

namespace {

// A control over a 25-row table, sized in twips, with its settings kept in a private folder.
struct Loaded : ::testing::Test {
    QTemporaryDir settings;
    test::TestDatabase database;
    test::MessageBoxRecorder boxes;
    Tessaro control;

    Loaded()
    {
        qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
        database.createNumbered(QStringLiteral("t"), 25);
        control.setObjectName(QStringLiteral("list"));
        control.setDBConnection(database.db());
        resizeTwips(9030, 3765);
        control.show();
    }

    void resizeTwips(double width, double height) { control.resize(qRound(width / 15), qRound(height / 15)); }

    double lstv(const char* property) const
    {
        return control.findChild<QObject*>(QStringLiteral("lstv"))->property(property).toDouble();
    }
    QWidget* frame() const { return control.findChild<QWidget*>(QStringLiteral("fraPaginazione")); }
};

} // namespace

TEST_F(Loaded, PopulateWithoutAnOpenQueryReportsTheCloneFailureAndTouchesNothing)
{
    control.Init_class();
    ASSERT_NE(control.Columns, nullptr);
    EXPECT_EQ(control.Columns->Count(), 0);
    control.PopulateList();
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].text,
              QStringLiteral("Tessaro PopulateList Err=3704\r\nOperation is not allowed when the object is closed."));
    EXPECT_EQ(boxes.messages()[0].style, 16);
    EXPECT_EQ(control.ListView->ListItems().Count(), 0);
    EXPECT_TRUE(frame()->isHidden());
}

TEST_F(Loaded, PagedPopulateShowsTheFittingPageAndCorrectsThePageNumber)
{
    control.setQuery(QStringLiteral("SELECT id, name, amount FROM t ORDER BY id"));
    control.setPaged(true);
    control.Init_class(QStringLiteral("LoadingTest"), true);
    ASSERT_EQ(control.Columns->Count(), 3) << "one descriptor per field, the key's included";
    QSignalSpy populated(&control, &Tessaro::PopulatedList);
    QAbstractItemModelTester tester(control.ListView->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);

    control.PopulateList();
    EXPECT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
    EXPECT_EQ(control.AbsolutePage(), 1);
    EXPECT_EQ(control.ListView->ColumnHeaders().Count(), 2);
    EXPECT_FALSE(frame()->isHidden());
    EXPECT_GE(populated.count(), 1);
    const int pageSize = control.PageSize();
    ASSERT_GE(pageSize, 1);
    ASSERT_LT(pageSize, 25) << "the sample must span pages for this test";
    EXPECT_EQ(control.ListView->ListItems().Count(), pageSize);
    EXPECT_EQ(control.ListView->ListItems().Item(1)->Tag(), QVariant(1));

    control.setAbsolutePage(99);
    control.PopulateList();
    const int pages = (25 + pageSize - 1) / pageSize;
    EXPECT_EQ(control.AbsolutePage(), pages);
    EXPECT_EQ(control.ListView->ListItems().Count(), 25 - (pages - 1) * pageSize);
}

TEST_F(Loaded, VisibleRowsFollowTheRowHeightAndTheHorizontalScrollRule)
{
    control.setQuery(QStringLiteral("SELECT id, name, amount FROM t"));
    control.setPaged(true);
    control.Init_class(QStringLiteral("LoadingTest"), true);
    control.PopulateList();
    ASSERT_GT(control.ListView->ListItems().Count(), 0);
    const double rowHeight = control.ListView->ListItems().Item(1)->Height();
    EXPECT_EQ(control.PageSize(), static_cast<int>(std::floor((lstv("Height") - 400) / rowHeight)));

    // Headers wider than the list (their sum plus 100) leave room for one row less.
    const double wide = lstv("Width") / 2;
    control.ListView->ColumnHeaders().Item(1)->setWidth(wide);
    control.ListView->ColumnHeaders().Item(2)->setWidth(wide);
    resizeTwips(9030, 3780); // a resize refits the page
    EXPECT_EQ(control.PageSize(), static_cast<int>(std::floor((lstv("Height") - 400) / rowHeight)) - 1);
}

TEST_F(Loaded, AnEmptyListEstimatesRowsFromItsHeight)
{
    struct Case {
        double listHeight;
        int expected;
    };
    // 3000 / 200 - 4 = 11; 810 / 200 - 4 = 0, never below 1. Heights are whole pixels.
    for (const Case c : {Case{3000, 11}, Case{810, 1}}) {
        SCOPED_TRACE(c.listHeight);
        control.setQuery(QStringLiteral("SELECT id, name FROM t WHERE id < 0"));
        control.setPaged(true);
        control.Init_class(QStringLiteral("LoadingTest"), true);
        resizeTwips(9030, c.listHeight + 105 + 240);
        control.PopulateList();
        EXPECT_DOUBLE_EQ(lstv("Height"), c.listHeight);
        EXPECT_EQ(control.PageSize(), c.expected);
        EXPECT_EQ(control.ListView->ListItems().Count(), 0);
    }
}

TEST_F(Loaded, ResizeLaysOutPanelListAndFrameAndNeverShrinksBelowThePanel)
{
    // Sizes are whole pixels of 15 twips.
    resizeTwips(6000, 4005);
    EXPECT_DOUBLE_EQ(lstv("Width"), 6000);
    EXPECT_DOUBLE_EQ(lstv("Height"), 4005 - 105 - 240);
    QObject* fra = frame();
    EXPECT_DOUBLE_EQ(fra->property("Top").toDouble(), 105 + 4005 - 105 - 240);
    EXPECT_DOUBLE_EQ(fra->property("Width").toDouble(), 6000);

    control.setIntestazioneVisibile(true);
    resizeTwips(6000, 4020);
    EXPECT_DOUBLE_EQ(lstv("Height"), 4020 - 105 - 240 - 525);

    resizeTwips(6000, 300); // below the panel's 525 twips
    EXPECT_EQ(control.height(), 525 / 15);
}
