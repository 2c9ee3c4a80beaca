// tessaro-bench: times Tessaro's operations beside the plain Qt code that does the same work,
// each in a fresh process, and prints the ratios.
//   tessaro-bench [FILTER]             run every comparison (or those whose title has FILTER)
//   tessaro-bench --case NAME --db F   (internal) run one case, print
//                                      "seconds process-peak-kB operation-peak-kB"
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
    std::printf("%.6f %lld %lld\n", seconds, processPeakKb, operationPeakKb);
    return 0;
}

struct Measure {
    double seconds = 0;
    double processPeakMb = 0;
    double operationPeakMb = 0;
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
        if (fields.size() == 3)
            runs.push_back({fields[0].toDouble(), fields[1].toDouble() / 1024, fields[2].toDouble() / 1024});
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
    const auto ratio = [](double x, double y) { return y > 0 ? x / y : 0.0; };
    const QByteArray operation =
        a.operationPeakMb < 0 || b.operationPeakMb < 0
            ? QByteArray("n/a (no peak reset here)")
            : QString::asprintf("%7.1f MB / %7.1f MB = %5.2fx", a.operationPeakMb, b.operationPeakMb,
                                ratio(a.operationPeakMb, b.operationPeakMb)).toLatin1();
    std::printf("%-34s %5s  %8.4f s / %8.4f s = %5.2fx   %-32s   %7.1f MB / %7.1f MB = %5.2fx\n", title, size,
                a.seconds, b.seconds, ratio(a.seconds, b.seconds), operation.constData(), a.processPeakMb,
                b.processPeakMb, ratio(a.processPeakMb, b.processPeakMb));
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
    std::printf("%-34s %5s  %-32s   %-32s   %s\n", "operation (Tessaro / plain Qt)", "rows", "time",
                "peak memory of the operation", "peak memory of the process");
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
