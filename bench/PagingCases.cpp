#include "Cases.h"

#include "BenchData.h"

#include <tessaro/Tessaro.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <vector>

namespace bench {
namespace {

constexpr int kPageRows = 30;

// What a developer would write by hand: count the rows, then read one page of them.
std::vector<QVariant> readPage(QSqlDatabase& db, qint64 offset)
{
    QSqlQuery page(db);
    page.setForwardOnly(true);
    page.exec(QStringLiteral("SELECT * FROM (%1) LIMIT %2 OFFSET %3").arg(ordersQuery()).arg(kPageRows).arg(offset));
    std::vector<QVariant> cells;
    while (page.next()) {
        for (int i = 0; i < 6; ++i)
            cells.push_back(page.value(i));
    }
    return cells;
}

qint64 countRows(QSqlDatabase& db)
{
    QSqlQuery count(db);
    count.exec(QStringLiteral("SELECT COUNT(*) FROM (%1)").arg(ordersQuery()));
    count.next();
    return count.value(0).toLongLong();
}

void populatePaged(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = makeControl(db, true);
    timed([&] {
        control->Init_class(QStringLiteral("TessaroBench"), true);
        control->PopulateList();
    });
}

void rawCountAndPage(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    timed([&] {
        countRows(db);
        readPage(db, 0);
    });
}

void lastPage(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = makeControl(db, true);
    control->Init_class(QStringLiteral("TessaroBench"), true);
    control->PopulateList();
    timed([&] { control->MoveToLastPage(); });
}

void rawLastPage(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    const qint64 rows = countRows(db);
    timed([&] { readPage(db, rows - rows % kPageRows); });
}

const bool registered = registerCases(
    {
        {QStringLiteral("populate-paged"), populatePaged},
        {QStringLiteral("raw-count-and-page"), rawCountAndPage},
        {QStringLiteral("last-page"), lastPage},
        {QStringLiteral("raw-last-page"), rawLastPage},
    },
    {
        {QStringLiteral("Init_class + PopulateList (paged)"), QStringLiteral("populate-paged"),
         QStringLiteral("raw-count-and-page"), {1000000, 10000000}},
        {QStringLiteral("last page"), QStringLiteral("last-page"), QStringLiteral("raw-last-page"), {1000000, 10000000}},
    });

} // namespace

} // namespace bench
