#pragma once

// The result set only reads. Every statement it runs runs inside a ReadOnlyScope, which asks the
// database itself to refuse any change for as long as the scope lasts, and leaves the connection
// exactly as it found it: a transaction the host holds open stays open, with its own changes
// uncommitted and untouched, and is never aborted by a failing statement of ours.
//
// SQLite: PRAGMA query_only is on for the scope and set back afterwards; statements are checked
// with SQLite's own parser first where this library shares the driver's SQLite.
// PostgreSQL: without a host transaction the scope is a transaction of its own, BEGIN READ ONLY
// ... ROLLBACK; inside the host's transaction it is a savepoint made read-only with SET LOCAL and
// rolled back to (and released) at the end, which also clears any error our statement raised.
// Each statement is parsed by the server as a prepared statement first: that protocol refuses a
// text holding more than one statement.
// Other drivers: no guard is known; statements run as they are.

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

#include <memory>
#include <optional>

namespace tessaro::sql {

class ReadOnlyScope {
public:
    /// Enters the scope on `connection` (open). Throws the database's error when it cannot, and
    /// then leaves the connection as it was.
    explicit ReadOnlyScope(const QSqlDatabase& connection);
    /// Leaves the scope, restoring what entering changed. A failure here is logged, not thrown.
    ~ReadOnlyScope();
    ReadOnlyScope(const ReadOnlyScope&) = delete;
    ReadOnlyScope& operator=(const ReadOnlyScope&) = delete;

    /// Why `statement` must not run, asked of the database before it runs: more than one
    /// statement, a statement that would write, or one that returns no columns (transaction
    /// control, settings). Nothing when it may run, or when the database reports its own error
    /// later, on the run itself. A refusal's database text says why.
    std::optional<QSqlError> refusal(const QString& statement);

    class Guard;

private:
    std::unique_ptr<Guard> m_guard; ///< null for a driver without a known guard
};

} // namespace tessaro::sql
