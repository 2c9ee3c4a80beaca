// The count of a MariaDB or MySQL query on a second connection, made with the first one's
// settings in a worker thread that hands its answer to the UI thread by a queued call. A count
// cancelled while it runs is stopped on the server with KILL QUERY, sent on a connection of its
// own: nothing else may be sent on a connection while it waits for an answer.
#include "platform/sql/MariadbRows.h"
#include "platform/sql/WorkerCount.h"

#include <QLoggingCategory>

#include <mysql.h>

#include <mutex>
#include <optional>

namespace tessaro::sql {

namespace {

Q_LOGGING_CATEGORY(lcCount, "tessaro.sql.count", QtInfoMsg)

const QString kSocketOption = QStringLiteral("UNIX_SOCKET=");

// What the first connection was opened with, as the client library takes it.
struct Settings {
    QByteArray host;
    QByteArray user;
    QByteArray password;
    QByteArray database;
    QByteArray socket;
    unsigned int port = 0;
};

// Only the settings this count knows how to pass on: a connection with any other option (SSL,
// timeouts, ...) keeps its count on the first connection.
std::optional<Settings> settingsOf(const QSqlDatabase& connection)
{
    Settings settings{connection.hostName().toUtf8(), connection.userName().toUtf8(), connection.password().toUtf8(),
                      connection.databaseName().toUtf8(), {}, 0};
    settings.port = connection.port() > 0 ? static_cast<unsigned int>(connection.port()) : 0;
    for (const QString& option : connection.connectOptions().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = option.trimmed();
        if (!trimmed.startsWith(kSocketOption))
            return std::nullopt;
        settings.socket = trimmed.mid(kSocketOption.size()).toUtf8();
    }
    return settings;
}

const char* orNull(const QByteArray& text)
{
    return text.isEmpty() ? nullptr : text.constData();
}

MYSQL* connectWith(const Settings& settings)
{
    MYSQL* connection = mysql_init(nullptr);
    if (connection != nullptr
        && mysql_real_connect(connection, orNull(settings.host), orNull(settings.user), orNull(settings.password),
                              orNull(settings.database), settings.port, orNull(settings.socket), 0)
               == nullptr) {
        qCDebug(lcCount) << "no second connection:" << mysql_error(connection);
        mysql_close(connection);
        return nullptr;
    }
    return connection;
}

// What the worker and the UI thread share: the server's number of the count's session, while it
// has one, and whether the count is cancelled.
struct Shared {
    std::mutex mutex;
    std::optional<unsigned long> session;
    bool cancelled = false;
};

bool run(MYSQL* connection, const QByteArray& statement)
{
    return mysql_real_query(connection, statement.constData(), static_cast<unsigned long>(statement.size())) == 0;
}

// The first statement that counts, inside a read-only transaction rolled back at the end.
CountBeside::Outcome countOn(MYSQL* connection, Shared& shared, const QStringList& statements)
{
    CountBeside::Outcome outcome;
    if (!run(connection, "START TRANSACTION READ ONLY"))
        outcome.failure = QString::fromUtf8(mysql_error(connection));
    for (qsizetype i = 0; outcome.failure.isEmpty() && i < statements.size() && !outcome.rows; ++i) {
        if (const std::lock_guard lock(shared.mutex); shared.cancelled)
            break;
        MYSQL_RES* result = run(connection, statements.at(i).toUtf8()) ? mysql_store_result(connection) : nullptr;
        MYSQL_ROW row = result != nullptr ? mysql_fetch_row(result) : nullptr;
        if (row != nullptr && row[0] != nullptr)
            outcome.rows = QByteArray(row[0]).toLongLong();
        else
            outcome.failure = QString::fromUtf8(mysql_error(connection));
        mysql_free_result(result);
    }
    run(connection, "ROLLBACK");
    if (outcome.rows)
        outcome.failure.clear();
    return outcome;
}

CountBeside::Outcome countBeside(Shared& shared, const Settings& settings, const QStringList& statements)
{
    MYSQL* connection = connectWith(settings);
    if (connection == nullptr)
        return {std::nullopt, QStringLiteral("no second connection")};
    {
        const std::lock_guard lock(shared.mutex);
        shared.session = mysql_thread_id(connection);
    }
    CountBeside::Outcome outcome = countOn(connection, shared, statements);
    {
        const std::lock_guard lock(shared.mutex);
        shared.session.reset();
    }
    mysql_close(connection);
    return outcome;
}

class MariadbCount final : public WorkerCount {
public:
    MariadbCount(const Settings& settings, const QStringList& statements, Landed landed)
        : WorkerCount(std::move(landed)), m_settings(settings)
    {
        start([this, statements] { return countBeside(m_shared, m_settings, statements); },
              [](const Outcome& outcome) { qCDebug(lcCount) << "count failed:" << outcome.failure; });
    }

    ~MariadbCount() override
    {
        cancel();
        join();
    }

private:
    void cancel()
    {
        std::optional<unsigned long> session;
        {
            const std::lock_guard lock(m_shared.mutex);
            m_shared.cancelled = true;
            session = m_shared.session;
        }
        if (!session)
            return;
        // The statement ends at once with an error; the worker then rolls back and closes.
        if (MYSQL* killer = connectWith(m_settings)) {
            run(killer, "KILL QUERY " + QByteArray::number(qulonglong(*session)));
            mysql_close(killer);
        }
    }

    const Settings m_settings;
    Shared m_shared;
};

// A second connection would not see the rows of a transaction the host holds open.
bool inTransaction(MYSQL* first)
{
    unsigned int status = 0;
    return mariadb_get_infov(first, MARIADB_CONNECTION_SERVER_STATUS, &status) != 0
        || (status & SERVER_STATUS_IN_TRANS) != 0;
}

} // namespace

std::unique_ptr<CountBeside> detail::mariadbCount(const QSqlDatabase& connection, const QStringList& statements,
                                                  CountBeside::Landed& landed)
{
    MYSQL* const first = sharedMariadbHandle(connection);
    if (first == nullptr || inTransaction(first))
        return nullptr;
    const std::optional<Settings> settings = settingsOf(connection);
    if (!settings)
        return nullptr;
    return std::make_unique<MariadbCount>(*settings, statements, std::move(landed));
}

} // namespace tessaro::sql
