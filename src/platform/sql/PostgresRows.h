#pragma once

// Rows of a PostgreSQL connection read through libpq itself, one at a time: numbers and texts
// come as the server sent them, with no QVariant or QString per cell, and memory holds one row
// whatever the size of the result. It serves only when the connection's driver runs on
// the very libpq this library links; otherwise the caller reads through QSqlQuery.

#include "platform/sql/Rows.h"

#include <QSqlDatabase>
#include <optional>

namespace tessaro::sql {

class ReadOnlyQuery;

/// What a statement is known to be: any statement that returns rows, or a query that also stands
/// as a subquery, which is then streamed through COPY with less work per row.
enum class PostgresStatement { Any, Subquery };

/// Runs the admitted statement of `run` on `database` (whose read-only scope holds a transaction open) and hands
/// each row to `visit` as the server sends it, at most `maxRows`, the rest read and dropped.
/// value() gives what QSqlQuery gives under the connection's numerical precision policy; stored()
/// gives whole numbers, doubles and texts (where the server vouches for their UTF-8). Returns the
/// rows handed, or nothing, before anything runs, when this way is not open: another driver or
/// libpq, or no transaction. Throws the database's error in the words of Qt's driver, the rows
/// before the failing one having been handed, or what `visit` throws; either way the scope's
/// ending reads what is left of the result and clears any error.
std::optional<qint64> readWithPostgres(const QSqlDatabase& database, ReadOnlyQuery& run, qint64 maxRows,
                                       const RowVisitor& visit, PostgresStatement form = PostgresStatement::Any);

} // namespace tessaro::sql
