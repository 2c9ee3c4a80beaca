#pragma once

// Rows of a PostgreSQL connection read through libpq itself, in batches from a cursor: numbers
// and texts come as the server sent them, with no QVariant or QString per cell, and memory holds
// one batch whatever the size of the result. It serves only when the connection's driver runs on
// the very libpq this library links; otherwise the caller reads through QSqlQuery.

#include "platform/sql/Rows.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <optional>

struct pg_conn;
struct pg_result;

namespace tessaro::sql {

/// The libpq connection of `connection` when its driver is Qt's PostgreSQL driver, else null.
/// It may belong to another copy of libpq: see sharedPostgresHandle().
pg_conn* postgresHandle(const QSqlDatabase& connection);

/// postgresHandle() when the driver runs on the very libpq this library calls, else null (a
/// driver with its own libpq, a closed connection, a platform where this cannot be told).
pg_conn* sharedPostgresHandle(const QSqlDatabase& connection);

/// A libpq failure in the words Qt's driver uses for its own: `driverText` after "QPSQL: ", the
/// connection's error message followed by the SQLSTATE of `result` (when there is one), which is
/// also the native code.
QSqlError postgresError(pg_conn* connection, const pg_result* result,
                        const char* driverText = "Unable to create query");

/// Runs the admitted statement of `run` (whose read-only scope holds a transaction open) through
/// a cursor and hands each row to `visit`, at most `maxRows`: the rows past them are not fetched.
/// value() gives what QSqlQuery gives under the connection's numerical precision policy; stored()
/// gives whole numbers, doubles and UTF-8 texts. Returns the rows handed, or nothing, before
/// anything runs, when this way is not open: another driver or libpq, no transaction, or a
/// statement that is not a plain query (it may not take a cursor). Texts are stored values only
/// where the server vouches for their UTF-8.
/// Throws the database's error, the rows before the failing batch having been handed, or what
/// `visit` throws; either way the scope's ending clears the cursor and any error.
std::optional<qint64> readWithPostgres(ReadOnlyQuery& run, qint64 maxRows, const RowVisitor& visit);

/// Whether readWithPostgres() may take `statement` through a cursor: a SELECT, VALUES or TABLE
/// query, or a WITH query naming no statement that writes. Decided on the text alone, before
/// anything runs, since a refused cursor would abort the transaction.
bool takesCursor(const QString& statement);

} // namespace tessaro::sql
