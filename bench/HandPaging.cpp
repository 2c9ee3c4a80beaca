#include "HandPaging.h"

#include "BenchData.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <vector>

namespace bench {
namespace {

std::vector<QVariant> readPage(QSqlDatabase& db, const HandPaging& paging, qint64 offset)
{
    QSqlQuery page(db);
    page.setForwardOnly(true);
    page.exec(paging.page.arg(kHandPageRows).arg(offset));
    std::vector<QVariant> cells;
    while (page.next()) {
        for (int i = 0; i < paging.fields; ++i)
            cells.push_back(page.value(i));
    }
    return cells;
}

qint64 countRows(QSqlDatabase& db, const HandPaging& paging)
{
    QSqlQuery count(db);
    count.exec(paging.count);
    count.next();
    return count.value(0).toLongLong();
}

} // namespace

void timeCountAndPage(const HandPaging& paging, const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    timed([&] {
        countRows(db, paging);
        readPage(db, paging, 0);
    });
}

void timeFirstPage(const HandPaging& paging, const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    timed([&] { readPage(db, paging, 0); });
}

void timeFirstPageAgain(const HandPaging& paging, const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    readPage(db, paging, 0);
    timed([&] { readPage(db, paging, 0); });
}

void timeLastPage(const HandPaging& paging, const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    const qint64 rows = countRows(db, paging);
    timed([&] { readPage(db, paging, rows - rows % kHandPageRows); });
}

} // namespace bench
