// The whole result in the paged view: a header click, find, totals and export over every row,
// beside the least the database and the writer must do for the same answer.
#include "BenchData.h"
#include "Cases.h"

#include "platform/sql/RecordsetRows.h"

#include <tessaro/MessageBox.h>
#include <tessaro/Recordset.h>
#include <tessaro/SpreadsheetOpener.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace bench {
namespace {

// The sorted field (its position in the shown query, from 0 the key): without an index, many
// ties broken by the key; with one, made before the case.
struct SortColumn {
    int field;
    QString index; // the statement that makes its index, or empty
};

SortColumn sortColumn(const QSqlDatabase& db, bool indexed)
{
    const bool postgres = db.driverName() == QLatin1String("QPSQL");
    if (!indexed)
        return {postgres ? 2 : 4, QString()}; // bid, quantity
    return {3, postgres ? QStringLiteral("CREATE INDEX IF NOT EXISTS accounts_abalance ON pgbench_accounts (abalance)")
                        : QStringLiteral("CREATE INDEX IF NOT EXISTS orders_amount ON orders (amount)")};
}

// A paged control over every row with the count in, as a user has it before clicking.
std::unique_ptr<tessaro::Tessaro> wholeResultControl(QSqlDatabase& db)
{
    auto control = makeControl(db, true, shownQuery(db));
    control->setWholeResult(true);
    control->Init_class(QStringLiteral("TessaroBench"), true);
    control->PopulateList();
    control->rst->RecordCount();
    QCoreApplication::processEvents();
    return control;
}

void headerClick(const QString& database, const Timed& timed, bool indexed)
{
    QSqlDatabase db = openDatabase(database);
    const SortColumn column = sortColumn(db, indexed);
    if (!column.index.isEmpty())
        QSqlQuery(db).exec(column.index);
    auto control = wholeResultControl(db);
    tessaro::ListView* list = control->ListView;
    // The click turns the order round: ascending, as the raw statement reads.
    list->setSortOrder(tessaro::ListView::Descending);
    timed([&] {
        emit list->ColumnClick(list->ColumnHeaders().Item(column.field));
        QCoreApplication::processEvents();
    });
}

void rawSortedPage(const QString& database, const Timed& timed, bool indexed)
{
    QSqlDatabase db = openDatabase(database);
    const SortColumn column = sortColumn(db, indexed);
    if (!column.index.isEmpty())
        QSqlQuery(db).exec(column.index);
    const int page = wholeResultControl(db)->PageSize();
    const QString statement = QStringLiteral("SELECT * FROM (%1) AS s ORDER BY %2, 1 LIMIT %3")
                                  .arg(shownQuery(db))
                                  .arg(column.field + 1)
                                  .arg(page);
    timed([&] {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.exec(statement);
        while (query.next()) {
            for (int field = 0; field < query.record().count(); ++field)
                query.value(field);
        }
    });
}

// The customer (SQLite) or filler (PostgreSQL) column, matched by no row.
constexpr int kFindColumn = 0;
constexpr int kPostgresFindColumn = 3;
const QString kNoMatch = QStringLiteral("nobody*");

void findNoMatch(const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    auto control = wholeResultControl(db);
    const bool postgres = db.driverName() == QLatin1String("QPSQL");
    control->findChild<QComboBox*>(QStringLiteral("cmbCercaIn"))->setCurrentIndex(postgres ? kPostgresFindColumn : kFindColumn);
    control->findChild<QLineEdit*>(QStringLiteral("txtRicerca"))->setText(kNoMatch);
    auto* find = control->findChild<QPushButton*>(QStringLiteral("cmdTrova"));
    timed([&] { find->click(); });
}

// Every value of one field through the reader the control reads with.
void rawColumnRead(const QString& database, const Timed& timed, int field)
{
    QSqlDatabase db = openDatabase(database);
    tessaro::Recordset set;
    set.Open(shownQuery(db), db);
    timed([&] {
        qint64 values = 0;
        tessaro::sql::RecordsetRows::readAt(set, 0, tessaro::sql::RecordsetRows::kAllRows,
                                           [&](const tessaro::sql::RowValues& row) {
                                               const tessaro::sql::StoredValue stored = row.stored(field);
                                               const bool other = stored.kind == tessaro::sql::StoredValue::Kind::Other;
                                               values += other ? row.value(field).isValid() : 1;
                                           });
        if (values < 0)
            std::abort();
    });
}

int findField(const QSqlDatabase& db)
{
    return (db.driverName() == QLatin1String("QPSQL") ? kPostgresFindColumn : kFindColumn) + 1;
}

// The amount (SQLite) or balance (PostgreSQL): a number column.
int totalsField(const QSqlDatabase&)
{
    return 3;
}

void totalsOverAll(const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    auto control = wholeResultControl(db);
    control->Columns->Item(totalsField(db))->setTipoCampo(1);
    control->PopulateList();
    control->findChild<QComboBox*>(QStringLiteral("cmbCercaIn"))->setCurrentIndex(totalsField(db) - 1);
    const tessaro::MessageBoxHandler previous = tessaro::setMessageBoxHandler([](const QString&, int, const QString&) { return 1; });
    auto* sum = control->findChild<QPushButton*>(QStringLiteral("cmdSomma"));
    timed([&] { sum->click(); });
    tessaro::setMessageBoxHandler(previous);
}

void rawAggregate(const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    const QString statement = QStringLiteral("SELECT SUM(%2), COUNT(%2), MIN(%2), MAX(%2) FROM (%1) AS s")
                                  .arg(shownQuery(db), db.driverName() == QLatin1String("QPSQL") ? QStringLiteral("abalance")
                                                                                                 : QStringLiteral("amount"));
    timed([&] {
        QSqlQuery query(db);
        query.exec(statement);
        query.next();
    });
}

void exportAll(const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    auto control = wholeResultControl(db);
    control->Columns->Item(3)->setTipoCampo(1);
    control->Columns->Item(4)->setTipoCampo(1);
    control->PopulateList();
    tessaro::setSpreadsheetOpener([](const QString& path) { QFileInfo(path).dir().removeRecursively(); });
    auto* button = control->findChild<QPushButton*>(QStringLiteral("cmdEsportaInExcel"));
    timed([&] { button->click(); });
}

// The same cells written by libxlsxwriter itself as they are read: texts, the two numeric
// columns as numbers.
void rawExport(const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    QTemporaryDir folder;
    const QByteArray file = folder.filePath(QStringLiteral("raw.xlsx")).toUtf8();
    timed([&] {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        lxw_workbook* workbook = workbook_new_opt(file.constData(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Foglio1");
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.exec(shownQuery(db));
        lxw_row_t row = 1;
        while (query.next()) {
            for (int field = 1; field <= 5; ++field) {
                const lxw_col_t col = static_cast<lxw_col_t>(field - 1);
                if (field == 3 || field == 4)
                    worksheet_write_number(sheet, row, col, query.value(field).toDouble(), nullptr);
                else
                    worksheet_write_string(sheet, row, col, query.value(field).toString().toUtf8().constData(), nullptr);
            }
            ++row;
        }
        workbook_close(workbook);
    });
}

const bool registered = registerCases(
    {
        {QStringLiteral("whole-sort"), [](auto& d, auto& t) { headerClick(d, t, false); }},
        {QStringLiteral("raw-sorted-page"), [](auto& d, auto& t) { rawSortedPage(d, t, false); }},
        {QStringLiteral("whole-sort-indexed"), [](auto& d, auto& t) { headerClick(d, t, true); }},
        {QStringLiteral("raw-sorted-page-indexed"), [](auto& d, auto& t) { rawSortedPage(d, t, true); }},
        {QStringLiteral("whole-find"), findNoMatch},
        {QStringLiteral("raw-find-column"), [](auto& d, auto& t) {
             rawColumnRead(d, t, findField(openDatabase(d)));
         }},
        {QStringLiteral("whole-totals"), totalsOverAll},
        {QStringLiteral("raw-aggregate"), rawAggregate},
        {QStringLiteral("raw-totals-column"), [](auto& d, auto& t) {
             rawColumnRead(d, t, totalsField(openDatabase(d)));
         }},
        {QStringLiteral("whole-export"), exportAll},
        {QStringLiteral("raw-export"), rawExport},
    },
    {
        {QStringLiteral("whole: header click, first page / ORDER BY col, key LIMIT page"), QStringLiteral("whole-sort"),
         QStringLiteral("raw-sorted-page"), {1000000, 10000000}},
        {QStringLiteral("whole: header click, indexed column / ORDER BY col, key LIMIT page"),
         QStringLiteral("whole-sort-indexed"), QStringLiteral("raw-sorted-page-indexed"), {1000000, 10000000}},
        {QStringLiteral("PostgreSQL whole: header click / ORDER BY col, key LIMIT page"), QStringLiteral("whole-sort"),
         QStringLiteral("raw-sorted-page"), {1000000}, Store::Postgres},
        {QStringLiteral("PostgreSQL whole: header click, indexed / ORDER BY col, key LIMIT page"),
         QStringLiteral("whole-sort-indexed"), QStringLiteral("raw-sorted-page-indexed"), {1000000}, Store::Postgres},
        {QStringLiteral("whole: find, no match / raw read of the column"), QStringLiteral("whole-find"),
         QStringLiteral("raw-find-column"), {1000000}},
        {QStringLiteral("PostgreSQL whole: find, no match / raw read of the column"), QStringLiteral("whole-find"),
         QStringLiteral("raw-find-column"), {1000000}, Store::Postgres},
        {QStringLiteral("whole: totals / SUM, COUNT, MIN, MAX"), QStringLiteral("whole-totals"),
         QStringLiteral("raw-aggregate"), {1000000}},
        {QStringLiteral("whole: totals / raw read of the column"), QStringLiteral("whole-totals"),
         QStringLiteral("raw-totals-column"), {1000000}},
        {QStringLiteral("PostgreSQL whole: totals / raw read of the column"), QStringLiteral("whole-totals"),
         QStringLiteral("raw-totals-column"), {1000000}, Store::Postgres},
        {QStringLiteral("whole: export 1M x 5 / libxlsxwriter constant memory"), QStringLiteral("whole-export"),
         QStringLiteral("raw-export"), {1000000}},
    });

} // namespace
} // namespace bench
