#include "BenchData.h"

#include "MariadbData.h"
#include "PostgresData.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>

namespace bench {

QString ordersDatabase(const QString& directory, qint64 rows)
{
    QDir().mkpath(directory);
    const QString path = QDir(directory).filePath(QStringLiteral("orders-%1.sqlite").arg(rows));
    if (QFile::exists(path))
        return path;
    std::fprintf(stderr, "generating %lld rows in %s ...\n", static_cast<long long>(rows), qPrintable(path));
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-generate"));
        db.setDatabaseName(partial);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA journal_mode=OFF"));
        q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
        q.exec(QStringLiteral("CREATE TABLE orders (id INTEGER PRIMARY KEY, customer TEXT, city TEXT, "
                              "amount REAL, quantity INTEGER, ordered TEXT)"));
        // One recursive statement generates the rows inside SQLite: far faster than binding each.
        const bool ok = q.exec(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO orders SELECT i, 'Customer ' || (i * 7919 % 5000), 'City ' || (i % 97), "
            "(i * 104729 % 1000000) / 100.0, i % 250 + 1, "
            "date('2020-01-01', '+' || (i % 2190) || ' days') || ' 10:30:00' FROM n").arg(rows));
        if (!ok)
            std::fprintf(stderr, "generation failed: %s\n", qPrintable(q.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-generate"));
    QFile::rename(partial, path);
    return path;
}

QString ordersQuery()
{
    return QStringLiteral("SELECT id, customer, city, amount, quantity, ordered FROM orders");
}

QString shownQuery(const QSqlDatabase& db)
{
    if (db.driverName() == QLatin1String("QMYSQL"))
        return mariadbAccountsQuery();
    return db.driverName() == QLatin1String("QPSQL") ? accountsQuery() : ordersQuery();
}

QString orderedQuery(const QSqlDatabase& db)
{
    return db.driverName() == QLatin1String("QSQLITE") ? ordersQuery() + QStringLiteral(" ORDER BY id") : shownQuery(db);
}

QSqlDatabase openDatabase(const QString& database)
{
    if (isPostgresLocation(database))
        return openPostgres(database);
    if (isMariadbLocation(database))
        return openMariadb(database);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
    db.setDatabaseName(database);
    db.open();
    return db;
}

std::unique_ptr<tessaro::Tessaro> makeControl(const QSqlDatabase& db, bool paged)
{
    return makeControl(db, paged, shownQuery(db));
}

std::unique_ptr<tessaro::Tessaro> makeControl(const QSqlDatabase& db, bool paged, const QString& query)
{
    auto control = std::make_unique<tessaro::Tessaro>();
    control->resize(900, 480);
    control->setDBConnection(db);
    control->setQuery(query);
    control->setPaged(paged);
    return control;
}

std::unique_ptr<tessaro::Tessaro> loadedUnpaged(const QSqlDatabase& db)
{
    auto control = makeControl(db, false);
    control->Init_class(QStringLiteral("TessaroBench"), true);
    control->PopulateList();
    return control;
}

} // namespace bench
