#include "support/MariadbServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QUuid>

namespace tessaro::test {
namespace {

constexpr int kInstallTimeoutMs = 120000;
constexpr int kStartTimeoutMs = 60000;
constexpr int kStopTimeoutMs = 30000;
constexpr int kPollIntervalMs = 50;
const QString kDatabase = QStringLiteral("tessaro");

std::unique_ptr<MariadbServer>& theServer()
{
    static std::unique_ptr<MariadbServer> server;
    return server;
}

// Options every program of the server gets: no configuration file of the machine applies, and
// temporary tables go to the server's own folder, since servers started side by side by parallel
// tests collided over the names of their temporary files in the shared /tmp.
QStringList serverOptions(const QString& root)
{
    return {QStringLiteral("--no-defaults"), QStringLiteral("--datadir=") + root + QStringLiteral("/data"),
            QStringLiteral("--tmpdir=") + root + QStringLiteral("/tmp"), QStringLiteral("--user=root")};
}

} // namespace

MariadbServer& MariadbServer::instance()
{
    if (!theServer())
        theServer().reset(new MariadbServer);
    return *theServer();
}

void MariadbServer::shutdown()
{
    theServer().reset();
}

MariadbServer::MariadbServer()
{
    const QString install = QStandardPaths::findExecutable(QStringLiteral("mariadb-install-db"));
    const QString server = QStandardPaths::findExecutable(QStringLiteral("mariadbd"), {QStringLiteral("/usr/sbin")});
    if (install.isEmpty() || server.isEmpty()) {
        m_skipReason = QStringLiteral("MariaDB server programs (mariadbd, mariadb-install-db) not found");
        return;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QMYSQL"))) {
        m_skipReason = QStringLiteral("Qt's QMYSQL driver is not installed");
        return;
    }
    // A socket path must stay short (about 100 bytes), hence a folder directly under /tmp.
    m_root = QStringLiteral("/tmp/tessaro-my-%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    QDir().mkpath(m_root + QStringLiteral("/tmp"));
    QProcess setup;
    setup.setProcessChannelMode(QProcess::MergedChannels);
    setup.start(install, serverOptions(m_root) + QStringList{QStringLiteral("--auth-root-authentication-method=normal"),
                                                             QStringLiteral("--skip-test-db")});
    if (!setup.waitForFinished(kInstallTimeoutMs) || setup.exitCode() != 0) {
        m_skipReason = QStringLiteral("mariadb-install-db failed: ") + QString::fromLocal8Bit(setup.readAll());
        return;
    }
    m_server = std::make_unique<QProcess>();
    m_server->setProgram(server);
    m_server->setArguments(serverOptions(m_root)
                           + QStringList{QStringLiteral("--skip-networking"),
                                         QStringLiteral("--socket=") + m_root + QStringLiteral("/socket"),
                                         QStringLiteral("--pid-file=") + m_root + QStringLiteral("/server.pid"),
                                         QStringLiteral("--log-error=") + m_root + QStringLiteral("/server.log"),
                                         QStringLiteral("--innodb-flush-log-at-trx-commit=0"),
                                         QStringLiteral("--skip-log-bin")});
    if (!start())
        m_skipReason = QStringLiteral("the MariaDB server did not start; see ") + m_root + QStringLiteral("/server.log");
}

MariadbServer::~MariadbServer()
{
    if (m_server && m_server->state() != QProcess::NotRunning) {
        m_server->terminate();
        if (!m_server->waitForFinished(kStopTimeoutMs)) {
            m_server->kill();
            m_server->waitForFinished(kStopTimeoutMs);
        }
    }
    if (!m_root.isEmpty())
        QDir(m_root).removeRecursively();
}

bool MariadbServer::start()
{
    m_server->start();
    if (!m_server->waitForStarted(kStartTimeoutMs) || !waitUntilReady())
        return false;
    m_running = true;
    return true;
}

// The server takes a moment to open its socket: connect until it answers or gives up, then make
// the tests' database.
bool MariadbServer::waitUntilReady() const
{
    QElapsedTimer timer;
    timer.start();
    const QString name = QStringLiteral("tessaro-my-ready");
    bool ready = false;
    while (!ready && timer.elapsed() < kStartTimeoutMs && m_server->state() == QProcess::Running) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
            db.setUserName(QStringLiteral("root"));
            db.setConnectOptions(QStringLiteral("UNIX_SOCKET=") + m_root + QStringLiteral("/socket"));
            ready = db.open();
            if (ready)
                ready = QSqlQuery(db).exec(QStringLiteral("CREATE DATABASE IF NOT EXISTS ") + kDatabase);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        if (!ready)
            QThread::msleep(kPollIntervalMs);
    }
    return ready;
}

QSqlDatabase MariadbServer::connection(const QString& connectionName) const
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), connectionName);
    db.setUserName(QStringLiteral("root"));
    db.setDatabaseName(kDatabase);
    db.setConnectOptions(QStringLiteral("UNIX_SOCKET=") + m_root + QStringLiteral("/socket"));
    return db;
}

bool MariadbServer::execute(const QString& sql) const
{
    const QString name = QStringLiteral("tessaro-my-admin");
    bool ok = false;
    {
        QSqlDatabase db = connection(name);
        ok = db.open() && QSqlQuery(db).exec(sql);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace tessaro::test
