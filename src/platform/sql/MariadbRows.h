#pragma once

// Rows of a MariaDB or MySQL connection read through the client library itself, streamed as the
// server sends them: numbers and texts come without a QVariant or QString per cell, and memory holds
// one row whatever the size of the result. It serves only when the connection's driver is Qt's
// MySQL driver running on the very client library this one links; otherwise the caller reads
// through QSqlQuery.

#include "platform/sql/Rows.h"

#include <QSqlDatabase>
#include <optional>

struct st_mysql;

namespace tessaro::sql {

class ReadOnlyQuery;

/// The client handle of `connection` when its driver is Qt's MySQL driver on the client library
/// this one links and the connection is open, else null.
st_mysql* sharedMariadbHandle(const QSqlDatabase& connection);

/// Runs the admitted statement of `run` on `database` and hands each row to `visit` as the server
/// sends it, at most `maxRows`, the rest read and dropped. value() gives what QSqlQuery gives under
/// the connection's numerical precision policy; stored() gives whole numbers and texts (and
/// decimals as their digits, as Qt hands them at high precision). Returns the rows handed, or
/// nothing, before anything runs, when this way is not open. Throws the database's error in the
/// words of Qt's driver, the rows before the failing one having been handed, or what `visit`
/// throws; either way the result is read to its end and freed.
std::optional<qint64> readWithMariadb(const QSqlDatabase& database, ReadOnlyQuery& run, qint64 maxRows,
                                      const RowVisitor& visit);

} // namespace tessaro::sql
