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

/// An open connection to the SQLite file at `path`.
QSqlDatabase openDatabase(const QString& path);

/// A control of a usual window size on `db` showing ordersQuery(), paged or not, before
/// Init_class.
std::unique_ptr<tessaro::Tessaro> makeControl(const QSqlDatabase& db, bool paged);

/// A control showing every row of ordersQuery() at once, as the load-all view does.
std::unique_ptr<tessaro::Tessaro> loadedUnpaged(const QSqlDatabase& db);

} // namespace bench
