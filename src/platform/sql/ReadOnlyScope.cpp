#include "platform/sql/ReadOnlyScope.h"

#include "platform/sql/DatabaseError.h"
#include "platform/sql/PostgresConnection.h"
#include "platform/sql/SqliteRows.h"
#include "platform/sql/StatementCheck.h"

#include <QSqlDriver>
#include <QSqlQuery>

#include <libpq-fe.h>
#include <sqlite3.h>

namespace tessaro::sql {

namespace {

QSqlError refused(const QString& why)
{
    return QSqlError(QStringLiteral("Statement refused"),
                     QStringLiteral("Tessaro only reads the database: ") + why, QSqlError::StatementError);
}

const QString kOneStatement = QStringLiteral("the query must be a single statement.");
const QString kWrites = QStringLiteral("the statement would change it.");
const QString kNoColumns = QStringLiteral("the statement returns no rows to show; only a query that reads rows can be opened.");
const QString kNotProvenARead = QStringLiteral(
    "on this database only a single SELECT, WITH or VALUES query without INTO, FOR UPDATE, locks, "
    "procedure calls or server-run comments can be opened.");

// The control's own check, for databases that cannot refuse every change themselves.
std::optional<QSqlError> checkedRefusal(const QString& statement)
{
    const std::optional<StatementDoubt> doubt = statementDoubt(statement);
    if (!doubt)
        return std::nullopt;
    switch (*doubt) {
    case StatementDoubt::SeveralStatements:
        return refused(kOneStatement);
    case StatementDoubt::MayWrite:
        return refused(kWrites);
    case StatementDoubt::NotARead:
    case StatementDoubt::Unreadable:
        break;
    }
    return refused(kNotProvenARead);
}

} // namespace

class ReadOnlyScope::Guard {
public:
    virtual ~Guard() = default;
    virtual std::optional<QSqlError> refusal(const QString& statement) = 0;
};

namespace {

// PRAGMA query_only makes SQLite refuse any change, to the main database, attached ones and
// temporary tables alike, with SQLITE_READONLY and without touching an open transaction. It does
// not stop COMMIT or ROLLBACK: the check before running refuses statements without columns.
class SqliteGuard final : public ReadOnlyScope::Guard {
public:
    explicit SqliteGuard(const QSqlDatabase& connection)
        : m_connection(connection), m_handle(sharedSqliteHandle(connection))
    {
        if (m_handle != nullptr) {
            enterDirectly();
            return;
        }
        QSqlQuery query(connection);
        const QString read = QStringLiteral("PRAGMA query_only");
        if (!query.exec(read) || !query.next())
            throw databaseFailure(query.lastError(), read);
        m_wasOn = query.value(0).toInt() != 0;
        query.finish();
        const QString on = QStringLiteral("PRAGMA query_only = ON");
        if (!m_wasOn && !query.exec(on))
            throw databaseFailure(query.lastError(), on);
    }

    ~SqliteGuard() override
    {
        if (m_wasOn)
            return;
        const QString off = QStringLiteral("PRAGMA query_only = OFF");
        if (m_handle != nullptr) {
            if (sqlite3_exec(m_handle, "PRAGMA query_only = OFF", nullptr, nullptr, nullptr) != SQLITE_OK)
                databaseFailure(failure(), off);
            return;
        }
        QSqlQuery query(m_connection);
        if (!query.exec(off))
            databaseFailure(query.lastError(), off);
    }

    // Without a shared SQLite the pragma alone stands guard. A statement SQLite cannot prepare
    // fails on its run, in Qt's words.
    std::optional<QSqlError> refusal(const QString& statement) override
    {
        if (m_handle == nullptr)
            return std::nullopt;
        bool more = false;
        const SqliteStatement prepared = prepareSqlite(m_handle, statement, more);
        if (!prepared)
            return std::nullopt;
        if (more)
            return refused(kOneStatement);
        if (!sqlite3_stmt_readonly(prepared.get()))
            return refused(kWrites);
        if (sqlite3_column_count(prepared.get()) == 0)
            return refused(kNoColumns);
        return std::nullopt;
    }

private:
    // Through the handle Qt's driver shares: each statement through Qt's query would cost as
    // much as the page read it guards.
    void enterDirectly()
    {
        const QString read = QStringLiteral("PRAGMA query_only");
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_handle, "PRAGMA query_only", -1, &statement, nullptr) != SQLITE_OK)
            throw databaseFailure(failure(), read);
        const SqliteStatement pragma(statement);
        if (sqlite3_step(pragma.get()) != SQLITE_ROW)
            throw databaseFailure(failure(), read);
        m_wasOn = sqlite3_column_int(pragma.get(), 0) != 0;
        if (!m_wasOn && sqlite3_exec(m_handle, "PRAGMA query_only = ON", nullptr, nullptr, nullptr) != SQLITE_OK)
            throw databaseFailure(failure(), QStringLiteral("PRAGMA query_only = ON"));
    }

    // The handle's last error, as Qt's driver words one.
    QSqlError failure() const
    {
        return QSqlError(QStringLiteral("Unable to execute statement"), QString::fromUtf8(sqlite3_errmsg(m_handle)),
                         QSqlError::StatementError, QString::number(sqlite3_extended_errcode(m_handle)));
    }

    QSqlDatabase m_connection;
    sqlite3* m_handle; ///< the driver's own handle when this library shares it, else null
    bool m_wasOn = false;
};

using Result = std::unique_ptr<PGresult, void (*)(PGresult*)>;

// SET LOCAL may make a transaction read-only at any point, and rolling back to the savepoint
// undoes it. A host transaction already aborted makes SAVEPOINT fail: that is the error reported.
class PostgresGuard final : public ReadOnlyScope::Guard {
public:
    explicit PostgresGuard(PGconn* connection) : m_connection(connection)
    {
        // A host query left half read keeps the connection busy. Any new statement discards its
        // rest (libpq does so in PQexec); it must go before the transaction state is read.
        if (PQtransactionStatus(connection) == PQTRANS_ACTIVE)
            discardPendingResults();
        m_inHostTransaction = PQtransactionStatus(connection) != PQTRANS_IDLE;
        std::optional<DatabaseFailure> failure =
            run(m_inHostTransaction ? "SAVEPOINT tessaro_read_only" : "BEGIN READ ONLY");
        if (!failure && m_inHostTransaction) {
            failure = run("SET LOCAL transaction_read_only = on");
            if (failure)
                leave();
        }
        if (failure)
            throw *failure;
    }

    ~PostgresGuard() override { leave(); }

    // Parsed as an unnamed prepared statement: the extended protocol takes one statement only,
    // and a description without columns marks transaction control, settings and plain commands.
    std::optional<QSqlError> refusal(const QString& statement) override
    {
        const Result parsed(PQprepare(m_connection, "", statement.toUtf8().constData(), 0, nullptr), PQclear);
        if (PQresultStatus(parsed.get()) != PGRES_COMMAND_OK)
            return postgresError(m_connection, parsed.get());
        const Result described(PQdescribePrepared(m_connection, ""), PQclear);
        if (PQresultStatus(described.get()) != PGRES_COMMAND_OK)
            return postgresError(m_connection, described.get());
        if (PQnfields(described.get()) == 0)
            return refused(kNoColumns);
        return std::nullopt;
    }

private:
    // Runs `statement`; when it fails, the failure, logged.
    std::optional<DatabaseFailure> run(const char* statement)
    {
        const Result result(PQexec(m_connection, statement), PQclear);
        if (PQresultStatus(result.get()) == PGRES_COMMAND_OK)
            return std::nullopt;
        return databaseFailure(postgresError(m_connection, result.get()), QString::fromLatin1(statement));
    }

    void discardPendingResults() noexcept
    {
        while (PGresult* pending = PQgetResult(m_connection))
            PQclear(pending);
    }

    void leave() noexcept
    {
        // Whatever our query left unread (a reader stopped by a failure) goes first.
        discardPendingResults();
        if (m_inHostTransaction) {
            run("ROLLBACK TO SAVEPOINT tessaro_read_only");
            run("RELEASE SAVEPOINT tessaro_read_only");
        } else {
            run("ROLLBACK");
        }
    }

    PGconn* m_connection;
    bool m_inHostTransaction = false;
};

// MariaDB and MySQL: every statement passes the control's own check first, since DDL, COMMIT and
// the like would commit a host's transaction implicitly before any read-only setting could refuse
// them. Without a host transaction the scope is START TRANSACTION READ ONLY ... ROLLBACK, so the
// server refuses what the check cannot see (a function that writes); inside the host's
// transaction nothing may be started (that too would commit): a savepoint rolled back to at the
// end undoes what such a function wrote to transactional tables.
class MariadbGuard final : public ReadOnlyScope::Guard {
public:
    explicit MariadbGuard(const QSqlDatabase& connection) : m_connection(connection)
    {
        // MySQL has no @@in_transaction: there the check alone stands guard, as on other drivers.
        QSqlQuery query(connection);
        if (!query.exec(QStringLiteral("SELECT @@in_transaction")) || !query.next()) {
            m_mode = Mode::CheckOnly;
            return;
        }
        m_mode = query.value(0).toInt() != 0 ? Mode::Savepoint : Mode::ReadOnlyTransaction;
        query.finish();
        const QString enter = m_mode == Mode::Savepoint ? QStringLiteral("SAVEPOINT tessaro_read_only")
                                                        : QStringLiteral("START TRANSACTION READ ONLY");
        if (!query.exec(enter))
            throw databaseFailure(query.lastError(), enter);
    }

    ~MariadbGuard() override
    {
        if (m_mode == Mode::CheckOnly)
            return;
        if (m_mode == Mode::Savepoint) {
            run(QStringLiteral("ROLLBACK TO SAVEPOINT tessaro_read_only"));
            run(QStringLiteral("RELEASE SAVEPOINT tessaro_read_only"));
        } else {
            run(QStringLiteral("ROLLBACK"));
        }
    }

    std::optional<QSqlError> refusal(const QString& statement) override { return checkedRefusal(statement); }

private:
    void run(const QString& statement)
    {
        QSqlQuery query(m_connection);
        if (!query.exec(statement))
            databaseFailure(query.lastError(), statement);
    }

    enum class Mode { ReadOnlyTransaction, Savepoint, CheckOnly };

    QSqlDatabase m_connection;
    Mode m_mode = Mode::CheckOnly;
};

// Any other driver: nothing is known of its transactions or its host's, so only what the control's
// own check proves a single read runs.
class CheckedGuard final : public ReadOnlyScope::Guard {
public:
    std::optional<QSqlError> refusal(const QString& statement) override { return checkedRefusal(statement); }
};

} // namespace

ReadOnlyScope::ReadOnlyScope(const QSqlDatabase& connection)
{
    const QSqlDriver* driver = connection.driver();
    if (driver == nullptr)
        return;
    if (driver->dbmsType() == QSqlDriver::SQLite)
        m_guard = std::make_unique<SqliteGuard>(connection);
    else if (PGconn* handle = postgresHandle(connection))
        m_guard = std::make_unique<PostgresGuard>(handle);
    else if (driver->dbmsType() == QSqlDriver::MySqlServer)
        m_guard = std::make_unique<MariadbGuard>(connection);
    else
        m_guard = std::make_unique<CheckedGuard>();
}

ReadOnlyScope::~ReadOnlyScope() = default;

std::optional<QSqlError> ReadOnlyScope::refusal(const QString& statement)
{
    return m_guard ? m_guard->refusal(statement) : std::nullopt;
}

} // namespace tessaro::sql
