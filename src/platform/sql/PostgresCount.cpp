// The count of a PostgreSQL query on a second connection, read when its socket has the answer.
#include "platform/sql/CountBeside.h"

#include "platform/sql/PostgresConnection.h"

#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSocketNotifier>

#include <libpq-fe.h>

#include <poll.h>

#include <vector>

namespace tessaro::sql {

namespace {

Q_LOGGING_CATEGORY(lcCount, "tessaro.sql.count", QtInfoMsg)

// The second connection's own session may never write, whatever the statement calls.
constexpr const char* kReadOnlySession = "-c default_transaction_read_only=on -c max_parallel_workers_per_gather=0";
// Room for PQcancel's own error text, which it never needs beyond this (its manual says 256).
constexpr int kCancelErrorSize = 256;

struct FinishConnection {
    void operator()(PGconn* connection) const { PQfinish(connection); }
};
struct ClearResult {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Connection = std::unique_ptr<PGconn, FinishConnection>;
using Result = std::unique_ptr<PGresult, ClearResult>;

// A second connection with every setting the first one was opened with (host, port, database,
// user, password, SSL and the rest), its session made read-only. Only started: the server takes
// milliseconds to set a session up, which the window does not wait for.
Connection secondConnection(PGconn* first)
{
    PQconninfoOption* const options = PQconninfo(first);
    if (options == nullptr)
        return nullptr;
    std::vector<const char*> keys;
    std::vector<const char*> values;
    std::string sessionOptions = kReadOnlySession;
    for (const PQconninfoOption* option = options; option->keyword != nullptr; ++option) {
        if (option->val == nullptr)
            continue;
        if (qstrcmp(option->keyword, "options") == 0) {
            sessionOptions = std::string(option->val) + ' ' + kReadOnlySession;
            continue;
        }
        keys.push_back(option->keyword);
        values.push_back(option->val);
    }
    keys.push_back("options");
    values.push_back(sessionOptions.c_str());
    keys.push_back(nullptr);
    values.push_back(nullptr);
    Connection second(PQconnectStartParams(keys.data(), values.data(), 0));
    PQconninfoFree(options);
    if (second && PQstatus(second.get()) == CONNECTION_BAD) {
        qCDebug(lcCount) << "no second connection:" << PQerrorMessage(second.get());
        return nullptr;
    }
    return second;
}

class PostgresCount final : public CountBeside {
public:
    PostgresCount(Connection connection, QStringList statements, const QString& explain, Landed landed,
                  Estimated estimated)
        : m_connection(std::move(connection)), m_statements(std::move(statements)), m_landed(std::move(landed)),
          m_estimated(std::move(estimated))
    {
        for (QSocketNotifier* notifier : {&m_readable, &m_writable})
            QObject::connect(notifier, &QSocketNotifier::activated, [this] { socketReady(); });
        // The plan first: it is quick, and the counter shows its estimate while the count runs.
        if (!explain.isEmpty())
            m_statements.prepend(explain);
        m_explaining = !explain.isEmpty();
        // A fresh connection starts by writing its request.
        connectOn(PGRES_POLLING_WRITING);
    }

    ~PostgresCount() override
    {
        if (m_connection && !m_outcome)
            cancel();
    }

    Outcome wait() override
    {
        // Inside the host's call: the estimate is no longer news.
        m_waiting = true;
        stopWatching();
        while (!m_connected && !m_outcome) {
            pollfd socket{PQsocket(m_connection.get()), short(m_polling == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
            ::poll(&socket, 1, -1);
            connectOn(PQconnectPoll(m_connection.get()));
        }
        // PQgetResult blocks until the server has answered the statement sent.
        while (!m_outcome)
            if (takeResults(true))
                finishStatement();
        // The window still learns of it, as of any count that lands.
        if (m_landed)
            QMetaObject::invokeMethod(&m_context, [this] { deliver(); }, Qt::QueuedConnection);
        m_connection.reset();
        return *m_outcome;
    }
    bool beside() const override { return true; }

private:
    // One step of making the connection: on, once it is made, to the statements; a connection
    // that fails lands as a failed count, later, as every count does.
    void connectOn(PostgresPollingStatusType polled)
    {
        m_polling = polled;
        if (polled != PGRES_POLLING_OK && PQsocket(m_connection.get()) < 0)
            polled = PGRES_POLLING_FAILED;
        if (polled == PGRES_POLLING_FAILED) {
            qCDebug(lcCount) << "no second connection:" << PQerrorMessage(m_connection.get());
            m_outcome = Outcome{std::nullopt, QString::fromUtf8(PQerrorMessage(m_connection.get()))};
        } else if (polled == PGRES_POLLING_OK) {
            m_connected = true;
            sendNext();
        }
        if (m_waiting)
            return;
        if (m_outcome)
            QMetaObject::invokeMethod(&m_context, [this] { deliver(); }, Qt::QueuedConnection);
        else
            watch(polled == PGRES_POLLING_WRITING ? QSocketNotifier::Write : QSocketNotifier::Read);
    }

    // The socket may change while the connection is made (another address of the host), and
    // what is waited for on it changes between writing and reading.
    void watch(QSocketNotifier::Type type)
    {
        stopWatching();
        QSocketNotifier& notifier = type == QSocketNotifier::Write ? m_writable : m_readable;
        notifier.setSocket(PQsocket(m_connection.get()));
        notifier.setEnabled(true);
    }

    void stopWatching()
    {
        m_readable.setEnabled(false);
        m_writable.setEnabled(false);
    }

    void socketReady()
    {
        if (m_connected)
            readable();
        else
            connectOn(PQconnectPoll(m_connection.get()));
    }

    void sendNext()
    {
        m_rows.reset();
        m_failure.clear();
        if (m_next >= m_statements.size()) {
            m_outcome = Outcome{std::nullopt, m_lastFailure};
            return;
        }
        const QByteArray statement = m_statements.at(m_next++).toUtf8();
        if (PQsendQuery(m_connection.get(), statement.constData()) == 0)
            m_outcome = Outcome{std::nullopt, QString::fromUtf8(PQerrorMessage(m_connection.get()))};
    }

    // Takes the results the connection holds (waiting for them when `block`); true once the
    // statement's answer is complete.
    bool takeResults(bool block)
    {
        while (block || PQisBusy(m_connection.get()) == 0) {
            const Result result{PQgetResult(m_connection.get())};
            if (!result)
                return true;
            if (m_explaining)
                takePlan(result.get());
            else if (PQresultStatus(result.get()) == PGRES_TUPLES_OK && PQntuples(result.get()) == 1)
                m_rows = QByteArray(PQgetvalue(result.get(), 0, 0)).toLongLong();
            else
                m_failure = QString::fromUtf8(PQresultErrorMessage(result.get())).trimmed();
        }
        return false;
    }

    // The count, or the next statement after a failure (one the database cannot count as written).
    void finishStatement()
    {
        if (m_explaining) {
            m_explaining = false;
            const std::optional<qint64> rows = m_plannedRows;
            sendNext();
            if (rows && m_estimated && !m_waiting)
                m_estimated(*rows);
            return;
        }
        if (m_rows && m_failure.isEmpty()) {
            m_outcome = Outcome{m_rows, QString()};
            return;
        }
        m_lastFailure = m_failure.isEmpty() ? QString::fromUtf8(PQerrorMessage(m_connection.get())) : m_failure;
        qCDebug(lcCount) << "count failed:" << m_lastFailure;
        if (PQstatus(m_connection.get()) != CONNECTION_OK)
            m_outcome = Outcome{std::nullopt, m_lastFailure};
        else
            sendNext();
    }

    // The top node of the plan comes first: "Seq Scan on t  (cost=0.00..1.23 rows=456 width=8)".
    void takePlan(const PGresult* result)
    {
        static const QRegularExpression rows(QStringLiteral("\\brows=([0-9]+)"));
        if (PQresultStatus(result) != PGRES_TUPLES_OK || PQntuples(result) < 1)
            return;
        const QRegularExpressionMatch match = rows.match(QString::fromUtf8(PQgetvalue(result, 0, 0)));
        if (match.hasMatch())
            m_plannedRows = match.captured(1).toLongLong();
    }

    void readable()
    {
        if (PQconsumeInput(m_connection.get()) == 0)
            m_outcome = Outcome{std::nullopt, QString::fromUtf8(PQerrorMessage(m_connection.get()))};
        else if (takeResults(false))
            finishStatement();
        if (m_outcome)
            deliver();
    }

    void deliver()
    {
        // Done: the second connection closes at once rather than with this object.
        stopWatching();
        m_connection.reset();
        // The callback may destroy this object: nothing of it is used afterwards.
        const Landed landed = std::move(m_landed);
        const Outcome outcome = *m_outcome;
        if (landed)
            landed(outcome);
    }

    // Stops the server's work on the count; PQfinish then closes the connection.
    void cancel()
    {
        stopWatching();
        // A connection still being made has no server work to stop.
        if (!m_connected)
            return;
        if (PGcancel* const handle = PQgetCancel(m_connection.get())) {
            char error[kCancelErrorSize];
            PQcancel(handle, error, kCancelErrorSize);
            PQfreeCancel(handle);
        }
    }

    Connection m_connection;
    QStringList m_statements;
    Landed m_landed;
    Estimated m_estimated;
    QObject m_context; ///< the queued calls' receiver, gone with this object
    QSocketNotifier m_readable{QSocketNotifier::Read};
    QSocketNotifier m_writable{QSocketNotifier::Write};
    PostgresPollingStatusType m_polling = PGRES_POLLING_WRITING;
    bool m_connected = false;
    qsizetype m_next = 0;
    bool m_explaining = false;    ///< the statement running is the plan
    bool m_waiting = false;
    std::optional<qint64> m_plannedRows;
    std::optional<qint64> m_rows; ///< of the statement running
    QString m_failure;            ///< of the statement running
    QString m_lastFailure;
    std::optional<Outcome> m_outcome;
};

} // namespace

std::unique_ptr<CountBeside> detail::postgresCount(const QSqlDatabase& connection, const QStringList& statements,
                                                   const QString& explain, CountBeside::Landed& landed,
                                                   CountBeside::Estimated& estimated)
{
    PGconn* const first = sharedPostgresHandle(connection);
    // A second connection would not see the rows of a transaction the host holds open.
    if (first == nullptr || PQtransactionStatus(first) != PQTRANS_IDLE)
        return nullptr;
    Connection second = secondConnection(first);
    if (!second)
        return nullptr;
    return std::make_unique<PostgresCount>(std::move(second), statements, explain, std::move(landed),
                                           std::move(estimated));
}

} // namespace tessaro::sql
