#pragma once

// The stores the tests that need a second connection run on: an SQLite file (which a second
// connection can see), the PostgreSQL cluster and the MariaDB server.

#include <QSqlDatabase>
#include <QString>

#include <string>

namespace tessaro::test {

enum class Store { SqliteFile, Postgres, Mariadb };

/// "SQLite file", "PostgreSQL" or "MariaDB", for traces.
std::string storeName(Store store);

/// A connection named `name`, opened (its error in lastError() when it did not open): to the
/// file rows.db in `folder`, to the PostgreSQL cluster or to the MariaDB server.
QSqlDatabase connectStore(Store store, const QString& folder, const QString& name);

/// A statement of one column g, the numbers 1 to `rows`, in the store's own words.
QString numberSeries(Store store, int rows);

/// Closes `db` and removes its connection.
void dropConnection(QSqlDatabase& db);

} // namespace tessaro::test
