#pragma once

// The exact number of rows of a query, counted beside the window instead of in front of it: the
// first page shows at once, and the count lands when the database has it.
//
// PostgreSQL: a second connection opened with the first one's settings (read-only for its whole
// session), the count sent without waiting (PQsendQuery) and its answer read when the socket
// says it is there. SQLite: a second, read-only connection to the same file, counting in a worker
// thread whose answer reaches the UI thread by a queued call. MariaDB and MySQL: a second
// connection with the first one's settings (a host, a port or a socket, a user, a database),
// counting in a read-only transaction in a worker thread. Where a second connection would not see
// the rows the first one sees (an in-memory or temporary SQLite database, a transaction the host
// holds open, a MariaDB connection with options a second one could not be given, any other
// driver) the count runs on the first connection once the page is shown, and only when nothing
// else is reading on it.
//
// A count is cancelled when its object is destroyed (PQcancel; on SQLite its progress handler
// stops it; on MariaDB KILL QUERY on a connection of its own): no second
// connection or thread outlives it. All of it is used on the UI thread.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace tessaro::sql {

class CountBeside {
public:
    /// What the count came to: the number of rows, or the database's failure (its error text).
    struct Outcome {
        std::optional<qint64> rows;
        QString failure;
    };
    /// Counts on the first connection, inside its read-only scope; throws the database's error.
    /// Nothing while the connection is busy reading: it is asked again a little later.
    using CountHere = std::function<std::optional<qint64>()>;
    /// Called on the UI thread when the outcome is in, at most once.
    using Landed = std::function<void(const Outcome&)>;
    /// Called on the UI thread with the planner's estimate of the rows, before the count lands.
    using Estimated = std::function<void(qint64)>;

    /// Starts counting with the first statement of `statements` that the database accepts (the
    /// next is tried when one fails). Never null: `here` counts when no second connection can.
    /// Where the database plans cheaply on its second connection (PostgreSQL), `explain` (an
    /// EXPLAIN of the query) runs there first and `estimated` gets its row estimate.
    static std::unique_ptr<CountBeside> start(const QSqlDatabase& connection, const QStringList& statements,
                                              const QString& explain, CountHere here, Landed landed,
                                              Estimated estimated);
    /// Cancels a count still running; never calls `landed` afterwards.
    virtual ~CountBeside() = default;

    /// The outcome, waiting for it when it is not in yet; `landed` still follows, on the UI
    /// thread, if it has not been called.
    virtual Outcome wait() = 0;
    /// Whether the count runs on a connection of its own (else on the first one).
    virtual bool beside() const = 0;

protected:
    CountBeside() = default;
};

namespace detail {
/// Each database's own count, or null when it cannot count beside the first connection.
std::unique_ptr<CountBeside> postgresCount(const QSqlDatabase& connection, const QStringList& statements,
                                           const QString& explain, CountBeside::Landed& landed,
                                           CountBeside::Estimated& estimated);
std::unique_ptr<CountBeside> sqliteCount(const QSqlDatabase& connection, const QStringList& statements,
                                         CountBeside::Landed& landed);
std::unique_ptr<CountBeside> mariadbCount(const QSqlDatabase& connection, const QStringList& statements,
                                          CountBeside::Landed& landed);
} // namespace detail

} // namespace tessaro::sql
