// tessaro-bench: times Tessaro's operations beside the plain Qt code that does the same work,
// each in a fresh process, and prints the ratios, then how long the whole run took. The
// PostgreSQL lines run in a cluster the run starts and removes itself.
//   tessaro-bench [FILTER]             run every comparison (or those whose title has FILTER);
//                                      a line too slow for every run needs FILTER to name its
//                                      size ("50M")
//   tessaro-bench --case NAME --db D   (internal) run one case on database D (a SQLite path or
//                                      a PostgreSQL location), print "seconds process-peak-kB
//                                      operation-peak-kB", then "figure note" if it found one
#include "BenchData.h"
#include "Cases.h"
#include "MariadbData.h"
#include "PostgresData.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

struct ResidentMemory {
    qint64 currentKb = 0;
    qint64 peakKb = 0;
};

ResidentMemory residentMemory()
{
    ResidentMemory memory;
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        const qint64 kb = line.mid(6).trimmed().split(' ').first().toLongLong();
        if (line.startsWith("VmRSS:"))
            memory.currentKb = kb;
        else if (line.startsWith("VmHWM:"))
            memory.peakKb = kb;
    }
    return memory;
}

// Lowers the high-water mark to the present resident size, so that the next peak read is the
// operation's own: the Qt libraries, fonts and windows set up before it are not its memory.
// Returns false where the kernel offers no such reset.
bool resetPeakMemory()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1 && clearRefs.flush();
}

int runCase(const QString& name, const QString& database)
{
    const bench::Case* c = bench::findCase(name);
    if (!c)
        return 2;
    // Each run remembers its view at teardown; a private store keeps one case's "Paged" from
    // deciding the next case's view.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    double seconds = 0;
    qint64 processPeakKb = 0;
    qint64 operationPeakKb = 0;
    c->run(database, [&](const std::function<void()>& work) {
        const ResidentMemory before = residentMemory();
        const bool peakReset = resetPeakMemory();
        QElapsedTimer timer;
        timer.start();
        work();
        seconds = timer.nsecsElapsed() / 1e9;
        const ResidentMemory after = residentMemory();
        processPeakKb = std::max(before.peakKb, after.peakKb);
        operationPeakKb = peakReset ? after.peakKb - before.currentKb : -1;
    });
    processPeakKb = std::max(processPeakKb, residentMemory().peakKb);
    std::printf("%.6f %lld %lld", seconds, processPeakKb, operationPeakKb);
    if (const std::optional<bench::Finding> finding = bench::reportedFinding())
        std::printf(" %.3f %s", finding->figure, qPrintable(finding->note));
    std::printf("\n");
    return 0;
}

struct Measure {
    double seconds = 0;
    double processPeakMb = 0;
    double operationPeakMb = 0;
    bench::Finding finding;
};

// A case's line: "seconds process-peak-kB operation-peak-kB [figure note...]".
std::optional<Measure> parseMeasure(const QString& line)
{
    const QStringList fields = line.split(QLatin1Char(' '));
    if (fields.size() < 3)
        return std::nullopt;
    Measure m{fields[0].toDouble(), fields[1].toDouble() / 1024, fields[2].toDouble() / 1024, {}};
    if (fields.size() > 3)
        m.finding = {fields[3].toDouble(), line.section(QLatin1Char(' '), 4)};
    return m;
}

// The median of three runs, by time (or by the finding, for a case without a baseline), and the
// peak memory of that run.
Measure measure(const QString& name, const QString& database, bool byFinding)
{
    std::vector<Measure> runs;
    for (int i = 0; i < 3; ++i) {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--case"), name, QStringLiteral("--db"), database});
        process.waitForFinished(-1);
        if (const std::optional<Measure> m = parseMeasure(QString::fromUtf8(process.readAllStandardOutput().trimmed())))
            runs.push_back(*m);
    }
    if (runs.empty())
        return {};
    std::sort(runs.begin(), runs.end(), [&](const Measure& a, const Measure& b) {
        return byFinding ? a.finding.figure < b.finding.figure : a.seconds < b.seconds;
    });
    return runs[runs.size() / 2];
}

void compare(const char* title, const QString& ours, const QString& baseline, const QString& database, const char* size)
{
    const Measure a = measure(ours, database, false);
    const Measure b = measure(baseline, database, false);
    const auto ratio = [](double x, double y) { return y > 0 ? x / y : 0.0; };
    const QByteArray operation =
        a.operationPeakMb < 0 || b.operationPeakMb < 0
            ? QByteArray("n/a (no peak reset here)")
            : QString::asprintf("%7.1f MB / %7.1f MB = %5.2fx", a.operationPeakMb, b.operationPeakMb,
                                ratio(a.operationPeakMb, b.operationPeakMb)).toLatin1();
    std::printf("%-46s %5s  %8.4f s / %8.4f s = %5.2fx   %-32s   %7.1f MB / %7.1f MB = %5.2fx\n", title, size,
                a.seconds, b.seconds, ratio(a.seconds, b.seconds), operation.constData(), a.processPeakMb,
                b.processPeakMb, ratio(a.processPeakMb, b.processPeakMb));
    std::fflush(stdout);
}

// A line without a baseline: the median finding of the case's runs, in the title's unit.
void report(const char* title, const QString& ours, const QString& database, const char* size)
{
    const Measure m = measure(ours, database, true);
    std::printf("%-46s %5s  %8.0f ms   (%s)\n", title, size, m.finding.figure, qPrintable(m.finding.note));
    std::fflush(stdout);
}

// The SQLite comparisons first, in the order their files registered them, then PostgreSQL's and
// MariaDB's, then the lines without a baseline.
std::vector<bench::Comparison> reportOrder(std::vector<bench::Comparison> comparisons)
{
    const auto rank = [](const bench::Comparison& c) {
        return (c.baseline.isEmpty() ? 3 : 0) + static_cast<int>(c.store);
    };
    std::stable_sort(comparisons.begin(), comparisons.end(),
                     [&](const bench::Comparison& a, const bench::Comparison& b) { return rank(a) < rank(b); });
    return comparisons;
}

QString databaseFor(const bench::Comparison& c, const QString& dataDir, qint64 rows)
{
    switch (c.store) {
    case bench::Store::Postgres:
        return bench::accountsDatabase(rows);
    case bench::Store::Mariadb:
        return bench::mariadbAccountsDatabase(rows);
    case bench::Store::Sqlite:
        break;
    }
    return bench::ordersDatabase(dataDir, rows);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int caseIndex = args.indexOf(QStringLiteral("--case"));
    const int dbIndex = args.indexOf(QStringLiteral("--db"));
    if (caseIndex > 0 && dbIndex > 0 && dbIndex + 1 < args.size())
        return runCase(args.value(caseIndex + 1), args.value(dbIndex + 1));

    QElapsedTimer wallClock;
    wallClock.start();
    const QString dataDir = qEnvironmentVariable("TESSARO_BENCH_DATA", QStringLiteral("bench-data"));
    std::printf("%-46s %5s  %-32s   %-32s   %s\n", "operation (Tessaro / plain Qt)", "rows", "time",
                "peak memory of the operation", "peak memory of the process");
    // Ahead of the generation messages on stderr.
    std::fflush(stdout);
    // An optional filter runs only the comparisons whose title contains it.
    const QString only = args.size() > 1 && !args.at(1).startsWith(QLatin1Char('-')) ? args.at(1) : QString();
    for (const bench::Comparison& c : reportOrder(bench::comparisons())) {
        if (!only.isEmpty() && !c.title.contains(only, Qt::CaseInsensitive))
            continue;
        for (qint64 rows : c.rows) {
            const QByteArray size = rows >= 1000000 ? QByteArray::number(rows / 1000000) + "M"
                                                    : QByteArray::number(rows / 1000) + "k";
            // Checked before the data, which at such sizes takes minutes to generate.
            if (c.onRequest && !only.contains(QLatin1String(size), Qt::CaseInsensitive))
                continue;
            const QString database = databaseFor(c, dataDir, rows);
            if (database.isEmpty())
                continue;
            if (c.baseline.isEmpty())
                report(qPrintable(c.title), c.ours, database, size.constData());
            else
                compare(qPrintable(c.title), c.ours, c.baseline, database, size.constData());
        }
    }
    bench::stopPostgres();
    bench::stopMariadb();
    std::printf("whole run: %.0f s\n", wallClock.elapsed() / 1000.0);
    return 0;
}
