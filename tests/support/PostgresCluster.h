#pragma once

#include <QSqlDatabase>
#include <QString>
#include <memory>

namespace tessaro::test {

/// A throwaway PostgreSQL cluster for one test program: created under a temporary folder on
/// first use, listening only on a Unix socket there, removed at exit. When the server programs
/// are missing, available() is false and skipReason() says why; under CI that is a failure.
class PostgresCluster {
public:
    /// The program's cluster, started on first call.
    static PostgresCluster& instance();
    /// Stops and removes the cluster if this program started one.
    static void shutdown();

    bool available() const { return m_running; }
    QString skipReason() const { return m_skipReason; }

    /// A new connection (not yet opened) to the cluster's "postgres" database.
    QSqlDatabase connection(const QString& connectionName) const;

    /// Runs SQL as the superuser through a separate connection; returns false on failure.
    bool execute(const QString& sql) const;

    /// Stops and restarts the server, to test a control whose database went away; start() does
    /// nothing while the server runs.
    bool stop();
    bool start();

    ~PostgresCluster();

private:
    PostgresCluster();
    bool runAsServerUser(const QStringList& arguments, QString* output = nullptr) const;

    QString m_binDir;
    QString m_root;
    QString m_dataDir;
    int m_port = 0;
    bool m_running = false;
    QString m_skipReason;
};

/// Expands to the start of a PostgreSQL test body: skips (or fails under CI) without a server.
#define TESSARO_REQUIRE_POSTGRES()                                                                  \
    do {                                                                                         \
        auto& cluster__ = ::tessaro::test::PostgresCluster::instance();                          \
        if (!cluster__.available()) {                                                            \
            if (!qEnvironmentVariableIsEmpty("CI"))                                              \
                FAIL() << "PostgreSQL is required under CI: " << cluster__.skipReason().toStdString(); \
            GTEST_SKIP() << cluster__.skipReason().toStdString();                                \
        }                                                                                        \
    } while (0)

} // namespace tessaro::test
