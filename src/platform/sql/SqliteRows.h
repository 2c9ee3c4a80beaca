#pragma once

// Rows of an SQLite connection read through SQLite's own interface: texts come as the UTF-8 the
// database holds and numbers as numbers, with no QVariant or QString per cell.

#include "platform/sql/Rows.h"

#include <QSqlDatabase>
#include <QString>
#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace tessaro::sql {

/// The SQLite handle of `connection` when its driver runs on the very SQLite library this one
/// calls, else null (another driver, a closed connection, a driver with SQLite built in, a
/// platform where this cannot be told).
sqlite3* sharedSqliteHandle(const QSqlDatabase& connection);

struct FinalizeSqliteStatement {
    void operator()(sqlite3_stmt* statement) const;
};
using SqliteStatement = std::unique_ptr<sqlite3_stmt, FinalizeSqliteStatement>;

/// The first statement of `text` as SQLite prepares it on `handle`: null when SQLite cannot
/// prepare it or `text` holds none. `more` tells whether anything but blanks follows it.
SqliteStatement prepareSqlite(sqlite3* handle, const QString& text, bool& more);

/// Runs `statement` on `connection` and hands each row to `visit` (at most `maxRows`, the rest
/// read and dropped), with the values QSqlQuery would give under the connection's numerical
/// precision policy. A text that is not valid UTF-8 (or holds U+FFFE or U+FFFF) comes as SQLite
/// converts it to UTF-16 for QSqlQuery, so it reads the same whichever way it was read, and every
/// stored text handed is valid UTF-8. Returns the rows handed, or nothing when this way is not
/// open to the connection (another driver, another SQLite library, a statement SQLite cannot
/// prepare or that would write) and no row was read. Throws the database's error from a failing
/// step, or what `visit` throws.
std::optional<qint64> readSqliteRows(const QSqlDatabase& connection, const QString& statement, qint64 maxRows,
                                     const RowVisitor& visit);

} // namespace tessaro::sql
