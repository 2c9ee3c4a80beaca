#include "data/RiempiListView.h"
#include "support/MessageBoxRecorder.h"
#include "support/PostgresCluster.h"
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
    QSqlDatabase connection = database.db();
    ListView list;
    std::shared_ptr<Recordset> rst = std::make_shared<Recordset>();
    std::shared_ptr<collColonne> columns = std::make_shared<collColonne>();
    test::MessageBoxRecorder boxes;
    QAbstractItemModelTester tester{list.model(), QAbstractItemModelTester::FailureReportingMode::Fatal};

    Fill() { list.setWidth(8000); }

    void open(const QString& sql)
    {
        rst->Open(sql, connection);
        for (int i = 0; i < rst->Fields().Count(); ++i)
            columns->Add(QString(), 0, QString());
    }

    void fill(int pageSize, int& page) { RiempiListView(rst, list, columns, pageSize, page); }
};

// Everything a row shows and keeps: the texts, the item's Tag and each sub-item's Tag.
QStringList wholeRow(ListItem* item, int columns)
{
    QStringList row = rowTexts(item, columns);
    row << item->Tag().toString();
    for (int k = 1; k < columns; ++k) {
        const QVariant tag = item->ListSubItems(k)->Tag();
        row << (tag.isNull() ? QStringLiteral("<no tag>") : tag.toString());
    }
    return row;
}

// The rows of `sql` as the page-by-page fill shows them (pages of 500), then as one unpaged fill
// does; the unpaged fill reads them in one pass, the pages row by row with the cursor.
std::pair<std::vector<QStringList>, std::vector<QStringList>> pagedAndUnpaged(Fill& f, const QString& sql)
{
    f.open(sql);
    const int columns = f.rst->Fields().Count() - 1;
    f.columns->Item(3)->setTipoCampo(1);
    f.columns->Item(4)->setTipoCampo(1);
    f.columns->Item(5)->setFormattazione(QStringLiteral("#,##0.00"));
    std::vector<QStringList> paged;
    for (int page = 1; page <= (f.rst->RecordCount() + 499) / 500; ++page) {
        int shown = page;
        f.fill(500, shown);
        for (ListItem* item : f.list.ListItems())
            paged.push_back(wholeRow(item, columns));
    }
    std::vector<QStringList> unpaged;
    f.rst->MoveFirst();
    int page = 0;
    f.fill(0, page);
    for (ListItem* item : f.list.ListItems())
        unpaged.push_back(wholeRow(item, columns));
    return {paged, unpaged};
}

void expectSameRows(const std::vector<QStringList>& paged, const std::vector<QStringList>& unpaged)
{
    ASSERT_EQ(paged.size(), unpaged.size());
    for (std::size_t i = 0; i < paged.size(); ++i)
        ASSERT_EQ(unpaged[i], paged[i]) << "row " << i + 1;
}

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

// SQLite stores each value in its own class: texts (some not ASCII), whole numbers, reals that
// show plainly or in scientific form, Nulls; a numeric column also gets texts.
TEST(RiempiListView, AnUnpagedFillShowsWhatThePagesShow)
{
    Fill f;
    const auto [paged, unpaged] = pagedAndUnpaged(
        f, QStringLiteral(
               "WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 1500) "
               "SELECT i, CASE WHEN i % 7 = 0 THEN NULL WHEN i % 3 = 0 THEN 'città ' || i ELSE 'name ' || i END, "
               "CASE WHEN i % 11 = 0 THEN i * 1e18 WHEN i % 13 = 0 THEN i * 1e-9 WHEN i % 17 = 0 THEN -0.0 "
               "ELSE i * 1.25 - 900 END, i % 250, "
               "CASE WHEN i % 5 = 0 THEN 'è' || i WHEN i % 4 = 0 THEN 'abcdefghijklmnopqrstuvwxyz' "
               "WHEN i % 9 = 0 THEN NULL ELSE i * 0.5 END, i * 1000.125 FROM s ORDER BY i"));
    expectSameRows(paged, unpaged);
    ASSERT_EQ(unpaged.size(), 1500u);
    const QString tagless = QStringLiteral("<no tag>");
    // i = 3: text, plain real, padded whole number, padded real; 11 * 1e18 is scientific.
    EXPECT_EQ(unpaged[2].mid(0, 6), (QStringList{"città 3", "-896.25", QString(19, ' ') + "3",
                                                 QString(17, ' ') + "1.5", "3,000.38", "3"}));
    EXPECT_EQ(unpaged[10][1], QStringLiteral("1.1E+19"));
    EXPECT_EQ(unpaged[16][1], QStringLiteral("0")) << "minus zero shows unsigned";
    EXPECT_EQ(unpaged[4][3], QString(18, ' ') + QStringLiteral("è5")) << "padded by characters, not bytes";
    EXPECT_EQ(unpaged[3][3], QStringLiteral("ghijklmnopqrstuvwxyz"));
    EXPECT_EQ(unpaged[6][0], QString()) << "a Null first column";
    EXPECT_EQ(unpaged[8][3], QString());
    EXPECT_EQ(unpaged[8][5 + 3], tagless) << "a Null cell has no Tag";
    EXPECT_EQ(unpaged[2][5 + 2], QString(19, ' ') + "3") << "a cell's Tag is its text";
}

TEST(RiempiListView, AnUnpagedPostgresFillShowsWhatThePagesShow)
{
    TESSARO_REQUIRE_POSTGRES();
    Fill f;
    f.connection = test::PostgresCluster::instance().connection(QStringLiteral("fill"));
    ASSERT_TRUE(f.connection.open());
    {
        const auto [paged, unpaged] = pagedAndUnpaged(
            f, QStringLiteral("SELECT i, CASE WHEN i % 7 = 0 THEN NULL ELSE 'città ' || i END, i * 1.25 - 900, "
                              "i % 250, CASE WHEN i % 9 = 0 THEN NULL ELSE i * 0.5 END, i * 1000.125 "
                              "FROM generate_series(1, 1200) AS s(i) ORDER BY i"));
        expectSameRows(paged, unpaged);
        ASSERT_EQ(unpaged.size(), 1200u);
        EXPECT_EQ(unpaged[2].mid(0, 3), (QStringList{"città 3", "-896.25", QString(19, ' ') + "3"}));
    }
    {
        // The server fails on reaching row 1050, after sending the rows before it.
        Fill failing;
        failing.connection = f.connection;
        failing.open(QStringLiteral("SELECT i, 'row ' || i, 1 / (i - 1050) FROM generate_series(1, 1500) AS s(i)"));
        int page = 0;
        failing.fill(0, page);
        ASSERT_EQ(failing.boxes.messages().size(), 1u);
        EXPECT_TRUE(failing.boxes.messages()[0].text.startsWith(QStringLiteral("Tessaro RiempiListView \rErr = 22012  ")))
            << failing.boxes.messages()[0].text.toStdString();
        const QStringList shown = firstColumn(failing.list);
        EXPECT_LT(shown.size(), 1050);
        EXPECT_EQ(shown.mid(0, 2), (QStringList{"row 1", "row 2"}).mid(0, std::min<qsizetype>(shown.size(), 2)));
        failing.rst->Close();
    }
    f.rst->Close();
    f.connection.close();
    f.connection = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
}

TEST(RiempiListView, AnUnpagedFillReadsOnFromTheCursorAndAHugePageHoldsEveryRow)
{
    Fill f;
    f.database.createNumbered(QStringLiteral("t"), 1500);
    f.open(QStringLiteral("SELECT id, name FROM t ORDER BY id"));
    for (int i = 0; i < 1200; ++i)
        f.rst->MoveNext();
    int page = 7;
    f.fill(0, page);
    EXPECT_EQ(page, 7) << "an unpaged fill leaves the page number alone";
    const QStringList shown = firstColumn(f.list);
    ASSERT_EQ(shown.size(), 300);
    EXPECT_EQ(shown.front(), QStringLiteral("row 1201"));
    EXPECT_EQ(shown.back(), QStringLiteral("row 1500"));
    EXPECT_TRUE(f.rst->Eof());

    // Room is made for the rows there are, not for the rows a page could hold.
    int first = 1;
    f.fill(2000000000, first);
    EXPECT_EQ(f.list.ListItems().Count(), 1500);
    EXPECT_EQ(first, 1);
    EXPECT_TRUE(f.boxes.messages().empty());
}

// A date format refuses a serial beyond year 9999 (Overflow, 6) in row 1050 of 1100, column 3.
TEST(RiempiListView, AFailingCellKeepsTheRowsAndCellsBeforeIt)
{
    struct Case {
        int pageSize, page, rowsKept;
        const char* rowNumber;
    };
    const Case cases[] = {
        {0, 0, 1050, "1050"}, // one pass over every row
        {60, 18, 30, "30"},   // rows 1021 to 1080, the failing one 30th
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pageSize);
        Fill f;
        f.open(QStringLiteral("WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 1100) "
                              "SELECT i, 'row ' || i, i, CASE WHEN i = 1050 THEN 1e10 ELSE 45000 END, 'after' "
                              "FROM s ORDER BY i"));
        f.columns->Item(3)->setFormattazione(QStringLiteral("yyyy-mm-dd"));
        int page = c.page;
        f.fill(c.pageSize, page);
        ASSERT_EQ(f.boxes.messages().size(), 1u);
        EXPECT_EQ(f.boxes.messages()[0].text,
                  QStringLiteral("Tessaro RiempiListView \rErr = 6  %1 Overflow").arg(QLatin1String(c.rowNumber)));
        ASSERT_EQ(f.list.ListItems().Count(), c.rowsKept);
        ListItem* failed = f.list.ListItems().Item(c.rowsKept);
        EXPECT_EQ(rowTexts(failed, 4), (QStringList{"row 1050", "1050", QString(), QString()}));
        EXPECT_EQ(failed->Tag(), QVariant(1050));
        EXPECT_EQ(f.list.ListItems().Item(1)->SubItems(2), QStringLiteral("2023-03-15"));
    }
}
