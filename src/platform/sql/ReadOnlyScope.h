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
// MariaDB / MySQL: the control's own statement check (StatementCheck.h) before anything reaches
// the server; without a host transaction START TRANSACTION READ ONLY ... ROLLBACK, inside it a
// savepoint rolled back to at the end; on MySQL, which has no @@in_transaction, the check alone.
// Other drivers: the control's own statement check alone.

#include "platform/sql/DatabaseError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
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
    std::unique_ptr<Guard> m_guard; ///< null only for a connection without a driver
};

/// The one way the result set runs a statement: forward-only, inside a read-only scope that the
/// query ends before (it is declared after the scope, so destroyed first).
class ReadOnlyQuery {
public:
    /// Enters the scope; throws as ReadOnlyScope does.
    explicit ReadOnlyQuery(const QSqlDatabase& connection) : m_scope(connection), m_query(connection)
    {
        m_query.setForwardOnly(true);
    }

    /// Whether `statement` may run here; failure() says why not.
    bool admit(const QString& statement)
    {
        m_statement = statement;
        m_refusal = m_scope.refusal(statement);
        return !m_refusal;
    }
    /// Runs `statement` through Qt: false when it was refused or failed.
    bool exec(const QString& statement) { return admit(statement) && m_query.exec(statement); }

    QSqlQuery& query() { return m_query; }
    /// The statement last admitted or refused.
    const QString& statement() const { return m_statement; }
    QSqlError error() const { return m_refusal ? *m_refusal : m_query.lastError(); }
    /// The last refusal or database error, logged, to throw.
    DatabaseFailure failure() const { return databaseFailure(error(), m_statement); }
    /// Throws failure() when the last step failed: next() says false both at the end and when
    /// fetching a row failed (PostgreSQL raises some errors, a division by zero say, only when it
    /// reaches the row).
    void throwIfFetchFailed() const
    {
        if (error().isValid())
            throw failure();
    }

private:
    ReadOnlyScope m_scope;
    QSqlQuery m_query;
    QString m_statement;
    std::optional<QSqlError> m_refusal;
};

} // namespace tessaro::sql
