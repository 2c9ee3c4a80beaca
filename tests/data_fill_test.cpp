#include "data/RiempiListView.h"
#include "support/MessageBoxRecorder.h"
#include "support/TestDatabase.h"

#include <tessaro/ListView.h>
#include <tessaro/Recordset.h>
#include <tessaro/collColonne.h>

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

using namespace tessaro;
using tessaro::test::firstColumn;
using tessaro::test::rowTexts;

namespace {

// A list 8000 twips wide and the result set of `sql`, with one neutral descriptor per field.
struct Fill {
    test::TestDatabase database;
    ListView list;
    std::shared_ptr<Recordset> rst = std::make_shared<Recordset>();
    std::shared_ptr<collColonne> columns = std::make_shared<collColonne>();
    test::MessageBoxRecorder boxes;
    QAbstractItemModelTester tester{list.model(), QAbstractItemModelTester::FailureReportingMode::Fatal};

    Fill() { list.setWidth(8000); }

    void open(const QString& sql)
    {
        rst->Open(sql, database.db());
        for (int i = 0; i < rst->Fields().Count(); ++i)
            columns->Add(QString(), 0, QString());
    }

    void fill(int pageSize, int& page) { RiempiListView(rst, list, columns, pageSize, page); }
};

} // namespace

TEST(RiempiListView, CellTextsFollowNullJustificationAndTruncationRules)
{
    Fill f;
    f.open(QStringLiteral("SELECT 10 AS k, 5 AS n, '' AS e, NULL AS z, 'abcdefghijklmnopqrstuvw' AS t, 'plain' AS p"));
    for (int k = 1; k <= 4; ++k)
        f.columns->Item(k)->setTipoCampo(1);
    int page = 0;
    f.fill(0, page);

    ASSERT_EQ(f.list.ListItems().Count(), 1);
    ListItem* item = f.list.ListItems().Item(1);
    const QStringList expected{QString(19, ' ') + "5", QString(20, ' '), QString(), "defghijklmnopqrstuvw", "plain"};
    EXPECT_EQ(rowTexts(item, 5), expected);
    EXPECT_EQ(item->Tag(), QVariant(10));
    EXPECT_EQ(item->ListSubItems(1)->Tag(), QVariant(QString(20, ' ')));
    EXPECT_TRUE(item->ListSubItems(2)->Tag().isNull()) << "a Null cell leaves its sub-item Tag unset";
    EXPECT_EQ(f.list.ColumnHeaders().Item(1)->Tag(), QStringLiteral("1"));
    EXPECT_EQ(f.list.ColumnHeaders().Item(5)->Tag(), QStringLiteral("0"));
    EXPECT_TRUE(f.boxes.messages().empty());
}

TEST(RiempiListView, HeadersTakeDescriptorCaptionsWidthsAndAlignments)
{
    Fill f;
    f.open(QStringLiteral("SELECT 1 AS id, NULL AS a, 'x' AS b, 'y' AS c, 'z' AS d"));
    f.columns->Item(1)->setAllineamento(1); // the first column always stays left
    f.columns->Item(2)->setAllineamento(1);
    f.columns->Item(3)->setIntestazione(QStringLiteral("Terza"));
    int page = 0;
    f.fill(0, page);

    const ColumnHeaders& headers = f.list.ColumnHeaders();
    ASSERT_EQ(headers.Count(), 4);
    const double widths[] = {2000, 2000, 2000, 1700}; // 8000 / 4, the last minus 300
    const char* captions[] = {"a", "b", "Terza", "d"};
    for (int k = 1; k <= 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_DOUBLE_EQ(headers.Item(k)->Width(), widths[k - 1]);
        EXPECT_EQ(headers.Item(k)->Text(), QString::fromLatin1(captions[k - 1]));
    }
    EXPECT_EQ(headers.Item(1)->Alignment(), 0);
    EXPECT_EQ(headers.Item(2)->Alignment(), 1);
    ListItem* item = f.list.ListItems().Item(1);
    EXPECT_EQ(item->Text(), QString()) << "a Null first visible column gives an empty item text";
    EXPECT_EQ(item->Tag(), QVariant(1));
}

TEST(RiempiListView, PageNumbersAreCorrectedIntoRangeAndWrittenBack)
{
    struct Case {
        int pageSize, requested, expectedPage, firstRow, rows;
    };
    const Case cases[] = {
        {10, 7, 3, 21, 5},  // beyond the last of 3 pages
        {10, -2, 1, 1, 10}, // below the first
        {10, 2, 2, 11, 10},
        {30, 1, 1, 1, 25},  // one page holds all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("page size %1, page %2").arg(c.pageSize).arg(c.requested).toStdString());
        Fill f;
        f.database.createNumbered(QStringLiteral("t"), 25);
        f.open(QStringLiteral("SELECT id, name FROM t ORDER BY id"));
        int page = c.requested;
        f.fill(c.pageSize, page);
        EXPECT_EQ(page, c.expectedPage);
        QStringList expected;
        for (int r = c.firstRow; r < c.firstRow + c.rows; ++r)
            expected << QStringLiteral("row %1").arg(r);
        EXPECT_EQ(firstColumn(f.list), expected);
    }
}

TEST(RiempiListView, ClosedAndEmptySetsKeepTheHeadersOfTheLastFill)
{
    Fill f;
    f.database.createNumbered(QStringLiteral("t"), 3);
    f.open(QStringLiteral("SELECT id, name, amount FROM t"));
    int page = 0;
    f.fill(0, page);
    ASSERT_EQ(f.list.ColumnHeaders().Count(), 2);

    auto empty = std::make_shared<Recordset>();
    empty->Open(QStringLiteral("SELECT id, name FROM t WHERE id < 0"), f.database.db());
    f.rst = empty;
    f.fill(10, page);
    EXPECT_EQ(f.list.ListItems().Count(), 0);
    EXPECT_EQ(f.list.ColumnHeaders().Count(), 2);
    EXPECT_EQ(page, 0) << "an empty set stops before the page is chosen";

    f.rst = std::make_shared<Recordset>(); // closed
    f.list.setView(0);
    f.fill(10, page);
    EXPECT_EQ(f.list.ListItems().Count(), 0);
    EXPECT_EQ(f.list.ColumnHeaders().Count(), 2);
    EXPECT_EQ(f.list.View(), 3);
    EXPECT_TRUE(f.boxes.messages().empty());
}

TEST(RiempiListView, FailuresAreReportedWithTheRowBeingFilled)
{
    {
        Fill f;
        f.open(QStringLiteral("SELECT 1 AS only_key"));
        int page = 0;
        f.fill(0, page);
        ASSERT_EQ(f.boxes.messages().size(), 1u);
        EXPECT_TRUE(f.boxes.messages()[0].text.startsWith(QStringLiteral("Tessaro RiempiListView \rErr = ")));
        EXPECT_TRUE(f.boxes.messages()[0].text.contains(QStringLiteral("   "))) << "no row started: empty row number";
        EXPECT_EQ(f.boxes.messages()[0].style, 16);
        EXPECT_EQ(f.list.ColumnHeaders().Count(), 0);
    }
    {
        Fill f;
        f.database.createNumbered(QStringLiteral("t"), 2);
        f.rst->Open(QStringLiteral("SELECT id, name, amount, id FROM t"), f.database.db());
        f.columns->Add(QString(), 0, QString());
        f.columns->Add(QString(), 0, QString()); // descriptor 3 is missing
        int page = 0;
        f.fill(0, page);
        ASSERT_EQ(f.boxes.messages().size(), 1u);
        EXPECT_EQ(f.boxes.messages()[0].text,
                  QStringLiteral("Tessaro RiempiListView \rErr = 9   Subscript out of range"));
        EXPECT_EQ(f.list.ColumnHeaders().Count(), 2) << "the headers it could build stay";
    }
}
