#include "support/StoreConnection.h"

#include "support/MariadbServer.h"
#include "support/PostgresCluster.h"

#include <QDir>

namespace tessaro::test {

std::string storeName(Store store)
{
    return store == Store::Postgres ? "PostgreSQL" : store == Store::Mariadb ? "MariaDB" : "SQLite file";
}

QSqlDatabase connectStore(Store store, const QString& folder, const QString& name)
{
    QSqlDatabase db;
    if (store == Store::Postgres) {
        db = PostgresCluster::instance().connection(name);
    } else if (store == Store::Mariadb) {
        db = MariadbServer::instance().connection(name);
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QDir(folder).filePath(QStringLiteral("rows.db")));
    }
    db.open();
    return db;
}

QString numberSeries(Store store, int rows)
{
    const QString series = store == Store::Postgres ? QStringLiteral("SELECT g FROM generate_series(1, %1) g")
                           : store == Store::Mariadb
                               ? QStringLiteral("SELECT seq AS g FROM seq_1_to_%1")
                               : QStringLiteral("WITH RECURSIVE n(g) AS (SELECT 1 UNION ALL SELECT g + 1 FROM n "
                                                "WHERE g < %1) SELECT g FROM n");
    return series.arg(rows);
}

void dropConnection(QSqlDatabase& db)
{
    const QString name = db.connectionName();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

} // namespace tessaro::test
