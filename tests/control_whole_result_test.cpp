// The whole result in the paged view: a header click sorts every row by the database, find looks
// over every row, totals and export with "all rows" read every row, and Esc stops a long scan.
#include "export_support.h"
#include "support/HostedControl.h"
#include "support/PostgresCluster.h"
#include "support/StoreConnection.h"
#include "support/TestHelpers.h"

#include <tessaro/Recordset.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <optional>

using namespace tessaro;

namespace {

const char* const kApplication = "WholeResultTest";
constexpr int kRows = 200;
// Amounts repeat (ties broken by the key) and every 23rd is Null.
constexpr int kAmountSpread = 50;
constexpr int kNullEvery = 23;
constexpr int kDaySpread = 400;

using test::Store;

std::optional<int> amountOf(int id)
{
    if (id % kNullEvery == 0)
        return std::nullopt;
    return id * 37 % kAmountSpread;
}

// Days from 2024-01-01; dd/mm/yyyy in the list, so their text order is not their time order.
int dayOf(int id)
{
    return id * 53 % kDaySpread;
}

struct WholeResult : test::HostedControl {
    QSqlDatabase db;

    ~WholeResult() override
    {
        delete window;
        test::dropConnection(db);
    }

    void makeStore(Store store, const QString& rows = QString())
    {
        db = test::connectStore(store, folder.path(), QStringLiteral("whole-result"));
        ASSERT_TRUE(db.isOpen()) << db.lastError().text().toStdString();
        const QString day = store == Store::Postgres ? QStringLiteral("DATE '2024-01-01' + (g * 53 %% 400)")
                                                     : QStringLiteral("date('2024-01-01', '+' || (g * 53 %% 400) || ' days')");
        const QString fill = rows.isEmpty()
                                 ? QStringLiteral("INSERT INTO t SELECT g, 'row ' || g, CASE WHEN g %% 23 = 0 THEN NULL "
                                                  "ELSE g * 37 %% 50 END, %1 FROM (%2) s")
                                       .arg(day, test::numberSeries(store, kRows))
                                       .replace(QStringLiteral("%%"), QStringLiteral("%"))
                                 : rows;
        for (const QString& sql : {QStringLiteral("DROP TABLE IF EXISTS t"),
                                   QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT, amount NUMERIC, day DATE)"),
                                   fill})
            ASSERT_TRUE(QSqlQuery(db).exec(sql)) << sql.toStdString() << QSqlQuery(db).lastError().text().toStdString();
    }

    void open(const QString& query, bool wholeResult = true)
    {
        HostedControl::open(query, true, kApplication, false, [this, wholeResult](Tessaro& made) {
            made.setDBConnection(db);
            made.setWholeResult(wholeResult);
        });
    }

    void clickHeader(int k) const
    {
        QHeaderView* header = control->ListView->header();
        const QPoint at(header->sectionViewportPosition(k - 1) + header->sectionSize(k - 1) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents(); // the sort runs once the header is done with the click
    }

    // The keys of the rows listed, or of the selected ones only.
    QList<int> shownIds(bool selectedOnly = false) const
    {
        QList<int> ids;
        for (ListItem* item : control->ListView->ListItems())
            if (!selectedOnly || item->Selected())
                ids << item->Tag().toInt();
        return ids;
    }
    QList<int> selectedIds() const { return shownIds(true); }

    // Enter in the search box, as the user finds.
    void find(int column, const QString& pattern)
    {
        auto* combo = control->findChild<QComboBox*>(QStringLiteral("cmbCercaIn"));
        combo->hidePopup();
        combo->setCurrentIndex(column);
        QWidget* text = child("txtRicerca");
        text->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), pattern);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
};

// The ids in the order the rules give: by the value ascending with Nulls last, then by the key;
// descending is exactly the reverse.
QList<int> idsOrderedBy(const std::function<std::optional<int>(int)>& value, bool descending)
{
    QList<int> ids;
    for (int id = 1; id <= kRows; ++id)
        ids << id;
    std::sort(ids.begin(), ids.end(), [&](int a, int b) {
        const std::optional<int> x = value(a), y = value(b);
        if (x.has_value() != y.has_value())
            return x.has_value();
        return x != y ? *x < *y : a < b;
    });
    if (descending)
        std::reverse(ids.begin(), ids.end());
    return ids;
}

} // namespace

// Each click alternates the order (the first one descending, from the list's ascending), shows page 1 of every row in it with the indicator, and the
// later pages follow on without overlap; a new PopulateList returns to the query's order.
TEST_F(WholeResult, AHeaderClickSortsEveryRowAcrossThePages)
{
    for (const Store store : {Store::SqliteFile, Store::Postgres}) {
        SCOPED_TRACE(test::storeName(store));
        if (store == Store::Postgres)
            TESSARO_REQUIRE_POSTGRES(); // the SQLite half has run
        makeStore(store);
        open(QStringLiteral("SELECT id, name, amount, day FROM t ORDER BY id"));
        int populated = 0;
        QObject::connect(control, &Tessaro::PopulatedList, [&] { ++populated; });
        const int size = control->PageSize();
        ASSERT_LT(3 * size, kRows);
        const struct { int header; bool descending; std::function<std::optional<int>(int)> value; } clicks[] = {
            {2, true, amountOf}, {2, false, amountOf}, {3, true, [](int id) { return dayOf(id); }},
        };
        for (const auto& c : clicks) {
            SCOPED_TRACE(c.header);
            populated = 0;
            clickHeader(c.header);
            // events, page, the indicator, the list's sort key and order
            EXPECT_EQ((QList<int>{populated, control->AbsolutePage(), control->ListView->header()->isSortIndicatorShown(),
                                  control->ListView->SortKey(), control->ListView->SortOrder()}),
                      (QList<int>{1, 1, true, c.header - 1, c.descending ? ListView::Descending : ListView::Ascending}));
            const QList<int> expected = idsOrderedBy(c.value, c.descending);
            for (int page = 1; page <= 3; ++page) {
                control->GoToPage(page);
                EXPECT_EQ(shownIds(), expected.mid((page - 1) * size, size)) << "page " << page;
            }
            control->MoveToLastPage();
            EXPECT_EQ(shownIds(), expected.mid((control->AbsolutePage() - 1) * size));
            control->MoveToFirstPage();
        }
        // Every row, still in the last click's order.
        click("lblCaricatutti");
        EXPECT_EQ(shownIds(), idsOrderedBy([](int id) { return dayOf(id); }, true));
        click("lblPaginaRisultati");
        control->PopulateList();
        EXPECT_EQ(shownIds().first(), 1);
        EXPECT_FALSE(control->ListView->header()->isSortIndicatorShown());
        delete window;
        db.close();
    }
}

// The next page holding a match is shown with its matches selected, Enter again goes on and
// wraps round; without a match anywhere nothing changes.
TEST_F(WholeResult, FindMovesToTheNextPageWithAMatch)
{
    for (const Store store : {Store::SqliteFile, Store::Postgres}) {
        SCOPED_TRACE(test::storeName(store));
        if (store == Store::Postgres)
            TESSARO_REQUIRE_POSTGRES();
        makeStore(store);
        open(QStringLiteral("SELECT id, name, amount FROM t ORDER BY id"));
        control->setIntestazioneVisibile(true);
        const int size = control->PageSize();
        control->GoToPage(2);
        // "row 15" on page 2 itself, then "row 150" .. "row 159" far on.
        const int far = 150;
        const QString pattern = QStringLiteral("ROW 15*");
        find(0, pattern);
        EXPECT_EQ(control->AbsolutePage(), (far - 1) / size + 1);
        QList<int> expected;
        for (int id = (control->AbsolutePage() - 1) * size + 1; id <= control->AbsolutePage() * size; ++id) {
            if (id >= far && id < far + 10)
                expected << id;
        }
        EXPECT_EQ(selectedIds(), expected);
        // Past the last match, round to the first page with one: "row 15" itself.
        for (int i = 0; i < 3 && control->AbsolutePage() != (15 - 1) / size + 1; ++i)
            find(0, pattern);
        EXPECT_EQ(control->AbsolutePage(), (15 - 1) / size + 1);
        EXPECT_TRUE(selectedIds().contains(15));
        find(0, QStringLiteral("nobody"));
        const int page = (15 - 1) / size + 1;
        EXPECT_EQ(control->AbsolutePage(), page);
        EXPECT_TRUE(selectedIds().contains(15));
        // The current page's only match is found on the way round.
        find(0, QStringLiteral("ROW %1").arg(page * size));
        EXPECT_EQ(std::make_pair(control->AbsolutePage(), selectedIds()), std::make_pair(page, QList<int>{page * size}));
        EXPECT_TRUE(boxes.messages().empty());
        delete window;
        db.close();
    }
}

// With "all rows", the figures and the workbook are those of the loaded list: every row is read,
// whatever page shows. Nulls, non-numeric texts and formatted amounts included.
TEST_F(WholeResult, AllRowsFiguresAreThoseOfTheLoadedList)
{
    test::OpenedWorkbooks workbooks;
    for (const Store store : {Store::SqliteFile, Store::Postgres}) {
        SCOPED_TRACE(test::storeName(store));
        if (store == Store::Postgres)
            TESSARO_REQUIRE_POSTGRES();
        makeStore(store);
        QStringList results[2];
        for (const bool whole : {true, false}) {
            open(QStringLiteral("SELECT id, name, amount, day FROM t ORDER BY id"), whole);
            control->Columns->Item(2)->setTipoCampo(1);
            control->Columns->Item(2)->setFormattazione(QStringLiteral("#,##0.00"));
            control->setPaged(whole);
            control->PopulateList();
            if (whole)
                control->GoToPage(2);
            control->setIntestazioneVisibile(true);
            control->findChild<QComboBox*>(QStringLiteral("cmbCercaIn"))->setCurrentIndex(1);
            click("cmdSomma");
            ASSERT_EQ(boxes.messages().size(), 1u);
            results[whole] << boxes.messages().front().text;
            boxes.clear();
            click("cmdEsportaInExcel");
            ASSERT_FALSE(workbooks.paths().isEmpty());
            const test::XlsxFile book(workbooks.paths().back());
            EXPECT_EQ(book.lastRow(), kRows + 1);
            for (int row = 1; row <= kRows + 1; row += 37)
                results[whole] << book.row(row, 3).join(QLatin1Char('|'));
            delete window;
        }
        EXPECT_EQ(results[true], results[false]);
        // Every non-Null amount counted: 200 rows less the 8 Nulls.
        EXPECT_TRUE(results[true].first().contains(QStringLiteral(" 192"))) << results[true].first().toStdString();
        db.close();
    }
}

namespace {

// Far more rows than any test reads: a scan over them ends only when the user stops it.
const char* const kEndless = "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 2000000000) "
                             "SELECT x, 'n' || x FROM c";
// Long enough for the scan to show its progress first.
constexpr int kEscAfterMilliseconds = 900;

QStringList workbookFolders(const QString& tmpdir)
{
    return QDir(tmpdir).entryList({QStringLiteral("tessaro-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
}

} // namespace

// A find with no match and an export of every row, each stopped by Esc once its progress shows:
// the page stays, the bar shows it again, no message, and no workbook or folder is left.
TEST_F(WholeResult, EscStopsALongScan)
{
    test::OpenedWorkbooks workbooks;
    const QString tmpdir = QDir(folder.path()).filePath(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir().mkpath(tmpdir));
    const QByteArray oldTmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmpdir));
    makeStore(Store::SqliteFile);
    open(QString::fromLatin1(kEndless));
    control->setIntestazioneVisibile(true);
    control->findChild<QComboBox*>(QStringLiteral("cmbCercaIn"))->setCurrentIndex(0);
    const QString counter = child("lblNumRecord")->property("Caption").toString();
    const QList<std::function<void()>> actions = {[this] { find(0, QStringLiteral("nobody")); },
                                                  [this] { click("cmdEsportaInExcel"); }};
    for (const auto& act : actions) {
        QString during;
        QTimer::singleShot(kEscAfterMilliseconds, [&] {
            during = child("lblNumRecord")->property("Caption").toString();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        act();
        EXPECT_NE(during, counter) << "the progress shows in the page bar";
        EXPECT_EQ(control->AbsolutePage(), 1);
        EXPECT_EQ(shownIds().first(), 1);
        EXPECT_EQ(child("lblNumRecord")->property("Caption").toString(), counter);
    }
    EXPECT_TRUE(boxes.messages().empty());
    EXPECT_TRUE(workbooks.paths().isEmpty());
    EXPECT_EQ(workbookFolders(tmpdir), QStringList());
    qputenv("TMPDIR", oldTmpdir);
}

namespace {

// More rows than a sheet holds, with the heading row on each sheet.
constexpr int kPastOneSheet = 1100000;
constexpr int kSheetRows = 1048576;

QByteArray zipPart(const QString& path, const QString& name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, name});
    unzip.waitForFinished(-1);
    return unzip.readAllStandardOutput();
}

} // namespace

// Every row streamed into the workbook: "Foglio1" full, the rest in "Foglio2" under its own
// headings, numbers typed as numbers.
TEST_F(WholeResult, AnExportPastOneSheetGoesOnInTheNextSheet)
{
    test::OpenedWorkbooks workbooks;
    makeStore(Store::SqliteFile,
              QStringLiteral("WITH RECURSIVE n(g) AS (SELECT 1 UNION ALL SELECT g + 1 FROM n WHERE g < %1) "
                             "INSERT INTO t SELECT g, NULL, g, NULL FROM n")
                  .arg(kPastOneSheet));
    open(QStringLiteral("SELECT id, amount FROM t ORDER BY id"));
    control->Columns->Item(1)->setTipoCampo(1);
    control->PopulateList();
    control->setIntestazioneVisibile(true);
    click("cmdEsportaInExcel");
    ASSERT_EQ(workbooks.paths().size(), 1);
    const QString path = workbooks.paths().front();
    const QByteArray names = zipPart(path, QStringLiteral("xl/workbook.xml"));
    EXPECT_TRUE(names.contains("name=\"Foglio1\"") && names.contains("name=\"Foglio2\"")) << names.toStdString();
    EXPECT_EQ(zipPart(path, QStringLiteral("xl/worksheets/sheet1.xml")).count("<row "), kSheetRows);
    const QByteArray second = zipPart(path, QStringLiteral("xl/worksheets/sheet2.xml"));
    EXPECT_EQ(second.count("<row "), 1 + kPastOneSheet - (kSheetRows - 1));
    // The last row: id 1100000 as a number cell (no text type) in row 51426 of the second sheet.
    const QByteArray last = "<c r=\"A" + QByteArray::number(1 + kPastOneSheet - (kSheetRows - 1)) + "\"";
    const qsizetype at = second.indexOf(last);
    ASSERT_GE(at, 0);
    EXPECT_TRUE(second.mid(at, 60).contains("<v>1100000</v>")) << second.mid(at, 60).toStdString();
}
