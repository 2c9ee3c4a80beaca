#pragma once

#include <QSqlDatabase>
#include <QString>

namespace bench {

/// The location of a database holding an `accounts` table of `rows` rows (with decimal and date
/// columns) in the MariaDB server this run starts for itself on first call and fills once per
/// size. Empty when no server can run here; the first such call prints why. Only the run's main
/// process calls it: the cases get the location.
QString mariadbAccountsDatabase(qint64 rows);

/// Stops and removes the server, if this process started one.
void stopMariadb();

/// The query the cases show on MariaDB: the key, then the five columns of an account.
QString mariadbAccountsQuery();

/// Whether `database` is a location from mariadbAccountsDatabase().
bool isMariadbLocation(const QString& database);

/// An open connection (named "bench") to a location from mariadbAccountsDatabase().
QSqlDatabase openMariadb(const QString& location);

} // namespace bench
