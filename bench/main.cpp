// tessaro-bench: times Tessaro's operations beside the plain Qt code that does the same work,
// each in a fresh process, and prints the ratios.
//   tessaro-bench [FILTER]             run every comparison (or those whose title has FILTER)
//   tessaro-bench --case NAME --db F   (internal) run one case, print "seconds peak-kB"
#include "BenchData.h"
#include "Cases.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

qint64 peakResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return 0;
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
    c->run(database, [&](const std::function<void()>& work) {
        QElapsedTimer timer;
        timer.start();
        work();
        seconds = timer.nsecsElapsed() / 1e9;
    });
    std::printf("%.6f %lld\n", seconds, peakResidentKilobytes());
    return 0;
}

struct Measure {
    double seconds = 0;
    double peakMb = 0;
};

// Median time of three runs, and the peak memory of that run.
Measure measure(const QString& name, const QString& database)
{
    std::vector<Measure> runs;
    for (int i = 0; i < 3; ++i) {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--case"), name, QStringLiteral("--db"), database});
        process.waitForFinished(-1);
        const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() == 2)
            runs.push_back({fields[0].toDouble(), fields[1].toDouble() / 1024});
    }
    if (runs.empty())
        return {};
    std::sort(runs.begin(), runs.end(), [](const Measure& a, const Measure& b) { return a.seconds < b.seconds; });
    return runs[runs.size() / 2];
}

void compare(const char* title, const QString& ours, const QString& baseline, const QString& database, const char* size)
{
    const Measure a = measure(ours, database);
    const Measure b = measure(baseline, database);
    std::printf("%-34s %8s  %9.4f s / %9.4f s = %6.2fx   peak %7.1f MB / %7.1f MB = %5.2fx\n", title, size,
                a.seconds, b.seconds, b.seconds > 0 ? a.seconds / b.seconds : 0.0, a.peakMb, b.peakMb,
                b.peakMb > 0 ? a.peakMb / b.peakMb : 0.0);
    std::fflush(stdout);
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

    const QString dataDir = qEnvironmentVariable("TESSARO_BENCH_DATA", QStringLiteral("bench-data"));
    std::printf("%-34s %8s  %-27s %8s   %s\n", "operation (Tessaro / plain Qt)", "rows", "time", "ratio", "peak memory");
    // An optional filter runs only the comparisons whose title contains it.
    const QString only = args.size() > 1 && !args.at(1).startsWith(QLatin1Char('-')) ? args.at(1) : QString();
    for (const bench::Comparison& c : bench::comparisons()) {
        if (!only.isEmpty() && !c.title.contains(only, Qt::CaseInsensitive))
            continue;
        for (qint64 rows : c.rows) {
            const QString database = bench::ordersDatabase(dataDir, rows);
            const QByteArray size = rows >= 1000000 ? QByteArray::number(rows / 1000000) + "M"
                                                    : QByteArray::number(rows / 1000) + "k";
            compare(qPrintable(c.title), c.ours, c.baseline, database, size.constData());
        }
    }
    return 0;
}
