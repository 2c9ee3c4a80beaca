#include "data/RiempiListView.h"
#include "support/MessageBoxRecorder.h"
#include "support/PostgresCluster.h"
#include "support/ShownControl.h"
#include "support/TestDatabase.h"

#include <tessaro/ListView.h>
#include <tessaro/Recordset.h>
#include <tessaro/Tessaro.h>
#include <tessaro/collColonne.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

using namespace tessaro;

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
    void open(const QString& sql, int descriptors = -1)
    {
        rst->Open(sql, connection);
        for (int i = 0; i < (descriptors < 0 ? rst->Fields().Count() : descriptors); ++i)
            columns->Add(QString(), 0, QString());
    }
    // Fills and returns the page number as the fill wrote it back.
    int fill(int pageSize, int page = 0) { return RiempiListView(rst, list, columns, pageSize, page), page; }
    // The message boxes shown, each as "style text".
    QStringList shown() const
    {
        QStringList texts;
        for (const auto& box : boxes.messages())
            texts << QString::number(box.style) + ' ' + box.text;
        return texts;
    }
};

// "row first" to "row last", as the numbered tables name their rows.
QStringList rowNames(int first, int last)
{
    QStringList names;
    for (int r = first; r <= last; ++r)
        names << QStringLiteral("row %1").arg(r);
    return names;
}

// Each header as "caption width alignment tag".
QStringList headers(const ListView& list)
{
    QStringList texts;
    for (const ColumnHeader* h : list.ColumnHeaders())
        texts << QStringLiteral("%1 %2 %3 %4").arg(h->Text()).arg(h->Width()).arg(h->Alignment()).arg(h->Tag());
    return texts;
}

// Everything a row shows and keeps: the texts, the item's Tag and each sub-item's Tag.
QStringList wholeRow(ListItem* item, int columns)
{
    QStringList row = test::rowTexts(item, columns);
    row << item->Tag().toString();
    for (int k = 1; k < columns; ++k) {
        const QVariant tag = item->ListSubItems(k)->Tag();
        row << (tag.isNull() ? QStringLiteral("<no tag>") : tag.toString());
    }
    return row;
}

// The whole rows of `sql` as one unpaged fill shows them, checked against the page-by-page fill
// (pages of 500): the unpaged fill reads them in one pass, the pages row by row with the cursor.
std::vector<QStringList> unpagedMatchingPages(Fill& f, const QString& sql)
{
    f.open(sql);
    const int columns = f.rst->Fields().Count() - 1;
    f.columns->Item(3)->setTipoCampo(1);
    f.columns->Item(4)->setTipoCampo(1);
    f.columns->Item(5)->setFormattazione(QStringLiteral("#,##0.00"));
    std::vector<QStringList> paged, unpaged;
    const auto rows = [&](std::vector<QStringList>& into) {
        for (ListItem* item : f.list.ListItems())
            into.push_back(wholeRow(item, columns));
    };
    for (int page = 1; page <= (f.rst->RecordCount() + 499) / 500; ++page) {
        f.fill(500, page);
        rows(paged);
    }
    f.rst->MoveFirst();
    f.fill(0);
    rows(unpaged);
    const auto [u, p] = std::mismatch(unpaged.begin(), unpaged.end(), paged.begin(), paged.end());
    EXPECT_TRUE(u == unpaged.end() && p == paged.end()) << "first difference in row " << (u - unpaged.begin()) + 1;
    return unpaged;
}

// Queries of 4 to 60 text columns, "r<row>c<column>", on a control 600 pixels (9000 twips) wide.
// Each column gets an even share of the list's width (the last one's less 300 twips) unless that
// falls below the narrowest column a fill makes (480 twips, 32 pixels), as the last of 18 columns
// and every one of 19 or more do; a negative width the host set becomes the narrowest too, a
// positive one stays. Past the right edge the list scrolls sideways.
constexpr int kRows = 3;
constexpr int kMostColumns = 60;

struct WideQuery : test::ShownControl {
    WideQuery()
    {
        QStringList definitions;
        for (int k = 1; k <= kMostColumns; ++k)
            definitions << QStringLiteral("c%1 TEXT").arg(k);
        database.exec("CREATE TABLE w (id INTEGER PRIMARY KEY, " + definitions.join(", ") + ')');
        for (int r = 1; r <= kRows; ++r) {
            QStringList values{QString::number(r)};
            for (int k = 1; k <= kMostColumns; ++k)
                values << QStringLiteral("'r%1c%2'").arg(r).arg(k);
            database.exec("INSERT INTO w VALUES (" + values.join(", ") + ')');
        }
        showAt(600, 300);
    }
};

} // namespace

TEST(RiempiListView, HeadersAndCellsFollowTheDescriptors)
{
    Fill f;
    f.open(QStringLiteral("SELECT 10 AS k, NULL AS z, 5 AS n, '' AS e, 'abcdefghijklmnopqrstuvw' AS t, 'plain' AS p"));
    for (int k = 1; k <= 4; ++k)
        f.columns->Item(k)->setTipoCampo(1);
    f.columns->Item(1)->setAllineamento(1); // the first column always stays left
    f.columns->Item(2)->setAllineamento(1);
    f.columns->Item(3)->setIntestazione(QStringLiteral("Terza"));
    f.fill(0);

    // 8000 / 5 visible columns, the last minus 300; the Tag is the column's kind.
    EXPECT_EQ(headers(f.list),
              (QStringList{"z 1600 0 1", "n 1600 1 1", "Terza 1600 0 1", "t 1600 0 1", "p 1300 0 0"}));
    // A Null first column is an empty item text; an empty text in a numeric column is 20 blanks;
    // 23 characters lose their first 3. Sub-item Tags repeat the texts; the item's is the key.
    const QString five = QString(19, ' ') + "5", blanks(20, ' '), cut = "defghijklmnopqrstuvw";
    EXPECT_EQ(wholeRow(f.list.ListItems().Item(1), 5),
              (QStringList{QString(), five, blanks, cut, "plain", "10", five, blanks, cut, "plain"}));

    // An empty set, then a closed one, empty the list and keep these headers; the page is never
    // chosen, and only a closed set is put in report view.
    const QStringList shown = headers(f.list);
    auto empty = std::make_shared<Recordset>();
    empty->Open(QStringLiteral("SELECT 1, 2 WHERE 0"), f.connection);
    for (const auto& set : {empty, std::make_shared<Recordset>()}) {
        SCOPED_TRACE(set == empty ? "empty" : "closed");
        f.rst = set;
        f.list.setView(0);
        EXPECT_EQ((QList<int> {f.fill(10, 0), f.list.ListItems().Count(), f.list.View()}),
            (QList<int> {0, 0, set == empty ? 0 : 3}));
        EXPECT_EQ(headers(f.list), shown);
    }
    EXPECT_EQ(f.shown(), QStringList());
}

TEST(RiempiListView, PagesAreCorrectedIntoRange)
{
    struct Case {
        int pageSize, page, skipped; // rows the cursor moved past before the fill
        int pageShown, first, last;
    };
    // Beyond the last of 150 pages, below the first, within; one page holds all; no paging leaves the
    // page number alone; a huge page makes room for the rows there are, not for a page.
    const Case cases[] = {
        {10, 151, 0, 150, 1491, 1500}, {10, -2, 0, 1, 1, 10}, {10, 2, 0, 2, 11, 20},
        {2000, 1, 0, 1, 1, 1500},      {0, 7, 1200, 7, 1201, 1500}, {2000000000, 1, 0, 1, 1, 1500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "page size " << c.pageSize << ", page " << c.page);
        Fill f;
        f.database.createNumbered(QStringLiteral("t"), 1500);
        f.open(QStringLiteral("SELECT id, name FROM t ORDER BY id"));
        for (int i = 0; i < c.skipped; ++i)
            f.rst->MoveNext();
        EXPECT_EQ(f.fill(c.pageSize, c.page), c.pageShown);
        EXPECT_EQ(test::firstColumn(f.list) + f.shown(), rowNames(c.first, c.last));
    }
}

// SQLite stores each value in its own class: texts (some not ASCII), whole numbers (some beyond a
// double's exact integers), reals that show plainly or in scientific form, Nulls; a numeric column
// also gets texts.
TEST(RiempiListView, AnUnpagedFillShowsWhatThePagesShow)
{
    Fill f;
    const std::vector<QStringList> unpaged = unpagedMatchingPages(f, QStringLiteral("WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 1500) "
               "SELECT i, CASE WHEN i % 7 = 0 THEN NULL WHEN i % 3 = 0 THEN 'città ' || i ELSE 'name ' || i END, "
               "CASE WHEN i % 11 = 0 THEN i * 1e18 WHEN i % 13 = 0 THEN i * 1e-9 WHEN i % 17 = 0 THEN -0.0 "
               "WHEN i % 19 = 0 THEN 9007199254740993 + i ELSE i * 1.25 - 900 END, i % 250, "
               "CASE WHEN i % 5 = 0 THEN 'è' || i WHEN i % 4 = 0 THEN 'abcdefghijklmnopqrstuvwxyz' "
               "WHEN i % 9 = 0 THEN NULL ELSE i * 0.5 END, i * 1000.125 FROM s ORDER BY i"));
    ASSERT_EQ(unpaged.size(), 1500u);
    // i = 3: text, plain real, padded whole number, padded real; a cell's Tag is its text.
    EXPECT_EQ(unpaged[2].mid(0, 8), (QStringList{"città 3", "-896.25", QString(19, ' ') + "3",
                                                 QString(17, ' ') + "1.5", "3,000.38", "3", "-896.25",
                                                 QString(19, ' ') + "3"}));
    // 11 * 1e18 is scientific; minus zero shows unsigned; 2^53 + 1 + 19 keeps its last digit;
    // padding counts characters, not bytes; a Null shows empty and leaves its Tag unset.
    EXPECT_EQ((QStringList{unpaged[10][1], unpaged[16][1], unpaged[18][1], unpaged[4][3], unpaged[3][3],
                           unpaged[6][0], unpaged[8][3], unpaged[8][5 + 3]}),
              (QStringList{"1.1E+19", "0", "9007199254741012", QString(18, ' ') + "è5", "ghijklmnopqrstuvwxyz",
                           QString(), QString(), "<no tag>"}));
}

TEST(RiempiListView, AnUnpagedPostgresFillShowsWhatThePagesShow)
{
    TESSARO_REQUIRE_POSTGRES();
    {
        Fill f, failing;
        f.connection = test::PostgresCluster::instance().connection(QStringLiteral("fill"));
        ASSERT_TRUE(f.connection.open());
        const std::vector<QStringList> unpaged = unpagedMatchingPages(
            f, QStringLiteral("SELECT i, CASE WHEN i % 7 = 0 THEN NULL ELSE 'città ' || i END, i * 1.25 - 900, "
                              "i % 250, CASE WHEN i % 9 = 0 THEN NULL ELSE i * 0.5 END, i * 1000.125 "
                              "FROM generate_series(1, 1200) AS s(i) ORDER BY i"));
        ASSERT_EQ(unpaged.size(), 1200u);
        EXPECT_EQ(unpaged[2].mid(0, 3), (QStringList{"città 3", "-896.25", QString(19, ' ') + "3"}));

        // The server fails on reaching row 1050, after sending the rows before it.
        failing.connection = f.connection;
        failing.open(QStringLiteral("SELECT i, 'row ' || i, 1 / (i - 1050) FROM generate_series(1, 1500) AS s(i)"));
        failing.fill(0);
        ASSERT_EQ(failing.shown().size(), 1);
        EXPECT_EQ(failing.shown()[0].left(40), "16 Tessaro RiempiListView \rErr = 22012  ");
        const QStringList shown = test::firstColumn(failing.list);
        EXPECT_LT(shown.size(), 1050);
        EXPECT_EQ(shown, rowNames(1, int(shown.size())));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
}

// A failing header is reported with an empty row number and keeps the headers built: one field
// leaves no field 1 for a header; with four, descriptor 3 is missing. A failing cell keeps the rows
// and cells before it: a date format refuses a serial beyond year 9999 (Overflow, 6) in row 1050
// of 1100, column 3, read in one pass over every row, or as the 30th of a page of rows 1021 to 1080.
TEST(RiempiListView, AFailureKeepsTheHeadersRowsAndCellsBuiltBeforeIt)
{
    const QString failingCell = QStringLiteral(
        "WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 1100) "
        "SELECT i, 'row ' || i, i, CASE WHEN i = 1050 THEN 1e10 ELSE 45000 END, 'after' FROM s ORDER BY i");
    const QString noSubscript = QStringLiteral("Err = 9   Subscript out of range");
    const struct { QString sql; int descriptors, pageSize, page; QString error; int headers, rows; } cases[] = {
        {QStringLiteral("SELECT 1 AS only_key"), 1, 0, 0, noSubscript, 0, 0},
        {QStringLiteral("SELECT id, name, amount, id FROM t"), 2, 0, 0, noSubscript, 2, 0},
        {failingCell, -1, 0, 0, QStringLiteral("Err = 6  1050 Overflow"), 4, 1050},
        {failingCell, -1, 60, 18, QStringLiteral("Err = 6  30 Overflow"), 4, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sql.left(40).toStdString() << ", page size " << c.pageSize);
        Fill f;
        f.database.createNumbered(QStringLiteral("t"), 2);
        f.open(c.sql, c.descriptors);
        if (c.rows > 0)
            f.columns->Item(3)->setFormattazione(QStringLiteral("yyyy-mm-dd"));
        f.fill(c.pageSize, c.page);
        EXPECT_EQ(f.shown(), QStringList{"16 Tessaro RiempiListView \r" + c.error});
        ASSERT_EQ((QList<int>{f.list.ColumnHeaders().Count(), f.list.ListItems().Count()}), (QList<int>{c.headers, c.rows}));
        if (c.rows == 0)
            continue;
        EXPECT_EQ(wholeRow(f.list.ListItems().Item(c.rows), 4),
                  (QStringList{"row 1050", "1050", QString(), QString(), "1050", "1050", "<no tag>", "<no tag>"}));
        EXPECT_EQ(f.list.ListItems().Item(1)->SubItems(2), QStringLiteral("2023-03-15"));
    }
}

// Queries of 4 to 60 text columns, "r<row>c<column>", on a control 600 pixels (9000 twips) wide.
// Each column gets an even share of the list's width (the last one's less 300 twips) unless that
// falls below the narrowest column a fill makes (480 twips, 32 pixels), as the last of 18 columns
// and every one of 19 or more do; a negative width the host set becomes the narrowest too, a
// positive one stays. Past the right edge the list scrolls sideways.
TEST_F(WideQuery, NoColumnIsNarrowerThanTheNarrowestWidth)
{
    constexpr double kNarrowest = 480;
    const struct {
        int columns;
        std::vector<std::pair<int, int>> hostWidths; // (column, Larghezza)
        QList<double> widths;                        // none: every column the narrowest
        bool scrolls;
    } cases[] = {
        {4, {}, {2250, 2250, 2250, 1950}, false},
        {4, {{2, -500}, {3, 100}}, {2250, kNarrowest, 100, 1950}, false},
        {18, {}, QList<double>(17, 500) << kNarrowest, false},
        {31, {}, {}, true},
        {kMostColumns, {}, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.columns << " columns, " << c.hostWidths.size() << " widths set");
        QStringList fields{QStringLiteral("id")};
        for (int k = 1; k <= c.columns; ++k)
            fields << QStringLiteral("c%1").arg(k);
        init("SELECT " + fields.join(", ") + " FROM w ORDER BY id", false, QStringLiteral("WideTest"));
        for (const auto& [column, width] : c.hostWidths)
            control.Columns->Item(column)->setLarghezza(width);
        populate();
        QApplication::processEvents();
        ListView& list = *control.ListView;
        const QList<double> shape{list.Width(), double(list.model()->rowCount()), double(list.model()->columnCount())};
        ASSERT_EQ(shape, (QList<double>{9000, kRows, double(c.columns)}));
        for (int r = 1; r <= kRows; ++r) {
            QStringList expected;
            for (int k = 1; k <= c.columns; ++k)
                expected << QStringLiteral("r%1c%2").arg(r).arg(k);
            EXPECT_EQ(test::rowTexts(list.ListItems().Item(r), c.columns), expected);
        }
        // Widths as set, and the nearest pixels in the view (15 twips each).
        QList<double> widths;
        QList<int> pixels, expectedPixels;
        for (const ColumnHeader* header : list.ColumnHeaders()) {
            widths << header->Width();
            pixels << list.horizontalHeader()->sectionSize(header->Index() - 1);
            expectedPixels << qRound(header->Width() / 15);
        }
        EXPECT_EQ(widths, c.widths.isEmpty() ? QList<double>(c.columns, kNarrowest) : c.widths);
        EXPECT_EQ(pixels, expectedPixels);
        // Scrolled to the right end, the last column is in view.
        QScrollBar* sideways = list.horizontalScrollBar();
        EXPECT_EQ(sideways->isVisible(), c.scrolls);
        sideways->setValue(sideways->maximum());
        const QRect last = list.visualRect(list.model()->index(0, c.columns - 1));
        EXPECT_TRUE(list.viewport()->rect().contains(last.center())) << last.center().x();
    }
}
