#pragma once

#include <QSqlDatabase>
#include <QString>

namespace bench {

/// The location ("host=... port=... dbname=...") of a database holding a `pgbench_accounts`
/// table of `rows` rows in the PostgreSQL cluster this run starts for itself on first call and
/// fills once per size. Empty when no cluster can run here; the first such call prints why.
/// Only the run's main process calls it: the cases get the location.
QString accountsDatabase(qint64 rows);

/// Stops and removes the cluster, if this process started one.
void stopPostgres();

/// The query the cases show on PostgreSQL: the key, then the four columns of an account.
QString accountsQuery();

/// Whether `database` is a location from accountsDatabase() rather than a SQLite path.
bool isPostgresLocation(const QString& database);

/// An open connection (named "bench") to a location from accountsDatabase().
QSqlDatabase openPostgres(const QString& location);

} // namespace bench
