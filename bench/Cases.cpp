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

QSqlDatabase openDatabase(const QString& path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
    db.setDatabaseName(path);
    db.open();
    return db;
}

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

std::unique_ptr<tessaro::Tessaro> pagedControl(const QSqlDatabase& db)
{
    auto control = std::make_unique<tessaro::Tessaro>();
    control->resize(900, 480);
    control->setDBConnection(db);
    control->setQuery(ordersQuery());
    control->setPaged(true);
    return control;
}

void populatePaged(const QString& path, const std::function<void(const std::function<void()>&)>& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = pagedControl(db);
    timed([&] {
        control->Init_class(QStringLiteral("TessaroBench"), true);
        control->PopulateList();
    });
}

void rawCountAndPage(const QString& path, const std::function<void(const std::function<void()>&)>& timed)
{
    QSqlDatabase db = openDatabase(path);
    timed([&] {
        countRows(db);
        readPage(db, 0);
    });
}

void lastPage(const QString& path, const std::function<void(const std::function<void()>&)>& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = pagedControl(db);
    control->Init_class(QStringLiteral("TessaroBench"), true);
    control->PopulateList();
    timed([&] { control->MoveToLastPage(); });
}

void rawLastPage(const QString& path, const std::function<void(const std::function<void()>&)>& timed)
{
    QSqlDatabase db = openDatabase(path);
    const qint64 rows = countRows(db);
    timed([&] { readPage(db, rows - rows % kPageRows); });
}

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
        {QStringLiteral("populate-paged"), populatePaged},
        {QStringLiteral("raw-count-and-page"), rawCountAndPage},
        {QStringLiteral("last-page"), lastPage},
        {QStringLiteral("raw-last-page"), rawLastPage},
    };
    return all;
}

} // namespace

const Case* findCase(const QString& name)
{
    for (const Case& c : cases()) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

} // namespace bench
