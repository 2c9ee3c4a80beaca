#pragma once

#include <QString>

namespace bench {

/// A SQLite file with an `orders` table of `rows` rows (id, customer, city, amount, quantity,
/// ordered), created once under `directory` and reused by later runs.
QString ordersDatabase(const QString& directory, qint64 rows);

/// The query every case shows: the key and five visible columns.
QString ordersQuery();

} // namespace bench
