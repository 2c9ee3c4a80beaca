#pragma once

// The libpq side of a connection opened through Qt's PostgreSQL driver: its handle, and libpq's
// failures told in the driver's own words. Shared by the read-only guard and the row reader.

#include <QSqlDatabase>
#include <QSqlError>

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

} // namespace tessaro::sql
