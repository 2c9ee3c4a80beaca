#pragma once

#include <QSqlDatabase>
#include <QString>
#include <memory>

class QProcess;

namespace tessaro::test {

/// A throwaway MariaDB server for one test program: its own data folder under a temporary
/// folder, created on first use, reached only through a Unix socket there (no network), stopped
/// and removed at exit. When the server programs or Qt's QMYSQL driver are missing, available()
/// is false and skipReason() says why; under CI that is a failure.
class MariadbServer {
public:
    /// The program's server, started on first call.
    static MariadbServer& instance();
    /// Stops and removes the server if this program started one.
    static void shutdown();

    bool available() const { return m_running; }
    QString skipReason() const { return m_skipReason; }

    /// A new connection (not yet opened) to the server's "tessaro" database, as root.
    QSqlDatabase connection(const QString& connectionName) const;

    /// Runs SQL as root through a separate connection; returns false on failure.
    bool execute(const QString& sql) const;

    ~MariadbServer();

private:
    MariadbServer();
    bool start();
    bool waitUntilReady() const;

    QString m_root;
    std::unique_ptr<QProcess> m_server;
    bool m_running = false;
    QString m_skipReason;
};

/// Expands to the start of a MariaDB test body: skips (or fails under CI) without a server.
#define TESSARO_REQUIRE_MARIADB()                                                                   \
    do {                                                                                         \
        auto& server__ = ::tessaro::test::MariadbServer::instance();                             \
        if (!server__.available()) {                                                             \
            if (!qEnvironmentVariableIsEmpty("CI"))                                              \
                FAIL() << "MariaDB is required under CI: " << server__.skipReason().toStdString(); \
            GTEST_SKIP() << server__.skipReason().toStdString();                                 \
        }                                                                                        \
    } while (0)

} // namespace tessaro::test
