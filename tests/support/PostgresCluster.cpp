#include "support/PostgresCluster.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>
#include <unistd.h>

namespace tessaro::test {
namespace {

QString findServerBinaries()
{
    QDir lib(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = lib.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    for (const QString& version : versions) {
        const QString bin = lib.filePath(version + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb")) && QFile::exists(bin + QStringLiteral("/pg_ctl")))
            return bin;
    }
    return {};
}

} // namespace

namespace {
std::unique_ptr<PostgresCluster>& theCluster()
{
    static std::unique_ptr<PostgresCluster> cluster;
    return cluster;
}
} // namespace

PostgresCluster& PostgresCluster::instance()
{
    if (!theCluster())
        theCluster().reset(new PostgresCluster);
    return *theCluster();
}

void PostgresCluster::shutdown()
{
    theCluster().reset();
}

PostgresCluster::PostgresCluster()
{
    m_binDir = findServerBinaries();
    if (m_binDir.isEmpty()) {
        m_skipReason = QStringLiteral("PostgreSQL server programs not found under /usr/lib/postgresql");
        return;
    }
    // initdb and postgres refuse to run as root: the cluster belongs to the postgres user, in a
    // folder that user owns.
    m_root = QStringLiteral("/tmp/tessaro-pg-%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    m_dataDir = m_root + QStringLiteral("/data");
    QDir().mkpath(m_root);
    if (geteuid() == 0)
        QProcess::execute(QStringLiteral("chown"), {QStringLiteral("postgres:postgres"), m_root});
    m_port = 40000 + static_cast<int>(QCoreApplication::applicationPid() % 20000);
    QString output;
    if (!runAsServerUser({m_binDir + QStringLiteral("/initdb"), QStringLiteral("-D"), m_dataDir, QStringLiteral("-A"),
                          QStringLiteral("trust"), QStringLiteral("-U"), QStringLiteral("postgres"),
                          QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--no-sync")},
                         &output)) {
        m_skipReason = QStringLiteral("initdb failed: ") + output;
        return;
    }
    if (!start())
        m_skipReason = QStringLiteral("the PostgreSQL server did not start; see ") + m_root + QStringLiteral("/server.log");
}

PostgresCluster::~PostgresCluster()
{
    if (m_running)
        stop();
    if (!m_root.isEmpty())
        QDir(m_root).removeRecursively();
}

bool PostgresCluster::runAsServerUser(const QStringList& arguments, QString* output) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (geteuid() == 0)
        process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + arguments);
    else
        process.start(arguments.first(), arguments.mid(1));
    const bool finished = process.waitForFinished(120000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PostgresCluster::start()
{
    if (m_running || m_dataDir.isEmpty())
        return m_running;
    const QString options = QStringLiteral("-k %1 -p %2 -c listen_addresses='' -c fsync=off -c full_page_writes=off")
                                .arg(m_root).arg(m_port);
    m_running = runAsServerUser({m_binDir + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), m_dataDir, QStringLiteral("-o"),
                                 options, QStringLiteral("-l"), m_root + QStringLiteral("/server.log"),
                                 QStringLiteral("-w"), QStringLiteral("start")});
    return m_running;
}

bool PostgresCluster::stop()
{
    const bool stopped = runAsServerUser({m_binDir + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), m_dataDir,
                                          QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
                                          QStringLiteral("stop")});
    if (stopped)
        m_running = false;
    return stopped;
}

QSqlDatabase PostgresCluster::connection(const QString& connectionName) const
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    db.setHostName(m_root);
    db.setPort(m_port);
    db.setUserName(QStringLiteral("postgres"));
    db.setDatabaseName(QStringLiteral("postgres"));
    return db;
}

bool PostgresCluster::execute(const QString& sql) const
{
    const QString name = QStringLiteral("tessaro-pg-admin");
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
