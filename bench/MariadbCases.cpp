// The paged and the unpaged view on MariaDB, over a generated accounts table with decimal and
// date columns: Tessaro's cases are the SQLite comparisons' own; the paged baselines are the
// hand-written statements.
#include "BenchData.h"
#include "Cases.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <vector>

namespace bench {
namespace {

// As many rows as the control's page shows at the cases' window size.
constexpr int kPageRows = 30;
constexpr int kAccountColumns = 6;
constexpr qint64 kAccounts = 1000000;

// What a developer would write by hand: count the rows, then read one page in key order.
std::vector<QVariant> readPage(QSqlDatabase& db, qint64 offset)
{
    QSqlQuery page(db);
    page.setForwardOnly(true);
    page.exec(QStringLiteral("SELECT aid, aid, bid, amount, opened, filler FROM accounts ORDER BY aid LIMIT %1 OFFSET %2")
                  .arg(kPageRows)
                  .arg(offset));
    std::vector<QVariant> cells;
    while (page.next()) {
        for (int i = 0; i < kAccountColumns; ++i)
            cells.push_back(page.value(i));
    }
    return cells;
}

qint64 countRows(QSqlDatabase& db)
{
    QSqlQuery count(db);
    count.exec(QStringLiteral("SELECT COUNT(*) FROM accounts"));
    count.next();
    return count.value(0).toLongLong();
}

void rawCountAndPage(const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    timed([&] {
        countRows(db);
        readPage(db, 0);
    });
}

void rawLastPage(const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    const qint64 rows = countRows(db);
    timed([&] { readPage(db, rows - rows % kPageRows); });
}

const bool registered = registerCases(
    {
        {QStringLiteral("my-raw-count-and-page"), rawCountAndPage},
        {QStringLiteral("my-raw-last-page"), rawLastPage},
    },
    {
        {QStringLiteral("MariaDB: Init_class + PopulateList (paged)"), QStringLiteral("populate-paged"),
         QStringLiteral("my-raw-count-and-page"), {kAccounts}, Store::Mariadb},
        {QStringLiteral("MariaDB: last page"), QStringLiteral("last-page"), QStringLiteral("my-raw-last-page"),
         {kAccounts}, Store::Mariadb},
        {QStringLiteral("MariaDB: load all rows (unpaged view)"), QStringLiteral("load-all"),
         QStringLiteral("model-fetch-all"), {kAccounts}, Store::Mariadb},
    });

} // namespace
} // namespace bench
