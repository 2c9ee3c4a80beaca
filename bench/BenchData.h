#pragma once

#include <tessaro/Tessaro.h>

#include <QSqlDatabase>
#include <QString>
#include <memory>

namespace bench {

/// A SQLite file with an `orders` table of `rows` rows (id, customer, city, amount, quantity,
/// ordered), created once under `directory` and reused by later runs.
QString ordersDatabase(const QString& directory, qint64 rows);

/// The query every case shows: the key and five visible columns.
QString ordersQuery();

/// The query the cases show on `db`: ordersQuery() on SQLite, accountsQuery() on PostgreSQL.
QString shownQuery(const QSqlDatabase& db);

/// shownQuery(db) ordered on its key: the server stores' queries are already; SQLite's gets
/// ORDER BY id.
QString orderedQuery(const QSqlDatabase& db);

/// An open connection to the database a case was given: the SQLite file at a path, or a
/// PostgreSQL location from accountsDatabase().
QSqlDatabase openDatabase(const QString& database);

/// A control of a usual window size on `db` showing shownQuery(db), paged or not, before
/// Init_class.
std::unique_ptr<tessaro::Tessaro> makeControl(const QSqlDatabase& db, bool paged);
/// The same control showing `query`.
std::unique_ptr<tessaro::Tessaro> makeControl(const QSqlDatabase& db, bool paged, const QString& query);

/// A control showing every row of shownQuery(db) at once, as the load-all view does.
std::unique_ptr<tessaro::Tessaro> loadedUnpaged(const QSqlDatabase& db);

} // namespace bench
