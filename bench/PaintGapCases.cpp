// How long the window stays frozen during a load all: the paints of the control and of anything
// inside it (the list, its scroll bars, the page bar's progress) are timed while the rows come in.
// A gap between two paints (or between the start and the first paint, or the last paint and the
// end) is what the user sees as a window that does not answer.
// The same clock runs while the paged view counts the rows of a big table: from PopulateList until
// the record counter shows the exact count, whether the count runs before the first page or
// beside it. The window asks for a paint at a steady pace meanwhile, as a busy screen does, so
// that a free event loop paints and a blocked one does not.
// There is no plain-Qt line to set beside it: the figure is printed on its own.
#include "BenchData.h"
#include "Cases.h"

#include <tessaro/Tessaro.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QSqlQuery>
#include <QStringList>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace bench {
namespace {

constexpr double kNanosecondsPerMillisecond = 1e6;
constexpr qint64 kRows = 1000000;
constexpr qint64 kCountedRows = 10000000;
// About one frame: how often the counted window asks to be painted and looks at its counter.
constexpr int kRepaintMs = 10;
// Far beyond any count the case makes: a counter that never becomes exact ends the wait here.
constexpr int kCountTimeoutMs = 60000;

// The moments `watched` or a widget inside it is painted, from start() on, in nanoseconds since
// start(). Watches the whole application, since a paint of any part of the control is one the
// user sees.
class PaintClock : public QObject {
public:
    explicit PaintClock(QWidget& watched) : m_watched(watched) { qApp->installEventFilter(this); }
    ~PaintClock() override { qApp->removeEventFilter(this); }

    void start()
    {
        m_paints.clear();
        m_clock.start();
    }

    void stop() { m_end = m_clock.nsecsElapsed(); }

    // The longest gap from start() to stop(), with the number of paints and where they fell.
    Finding gaps() const
    {
        const qint64 end = m_end;
        const qint64 first = m_paints.empty() ? end : m_paints.front();
        const qint64 last = m_paints.empty() ? end : m_paints.back();
        qint64 longest = std::max(first, end - last);
        for (std::size_t i = 1; i < m_paints.size(); ++i)
            longest = std::max(longest, m_paints[i] - m_paints[i - 1]);
        const auto ms = [](qint64 ns) { return ns / kNanosecondsPerMillisecond; };
        return {ms(longest), QStringLiteral("start to first paint %1 ms, last paint to end %2 ms, paints: %3 in %4 ms")
                                 .arg(ms(first), 0, 'f', 0)
                                 .arg(ms(end - last), 0, 'f', 0)
                                 .arg(m_paints.size())
                                 .arg(ms(end), 0, 'f', 0)};
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_clock.isValid() && receiver->isWidgetType()
            && (receiver == &m_watched || m_watched.isAncestorOf(static_cast<QWidget*>(receiver))))
            m_paints.push_back(m_clock.nsecsElapsed());
        return QObject::eventFilter(receiver, event);
    }

private:
    QWidget& m_watched;
    QElapsedTimer m_clock;
    qint64 m_end = 0;
    std::vector<qint64> m_paints;
};

void loadAllPaintGaps(const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    auto control = makeControl(db, false);
    control->show();
    control->Init_class(QStringLiteral("TessaroBench"), true);
    QApplication::processEvents();
    PaintClock clock(*control);
    timed([&] {
        clock.start();
        control->PopulateList();
        // The operation ends when the loaded rows are on screen.
        QApplication::processEvents();
        clock.stop();
    });
    reportFinding(clock.gaps());
}

qint64 countRows(QSqlDatabase& db)
{
    QSqlQuery count(db);
    count.exec(QStringLiteral("SELECT COUNT(*) FROM (%1) AS shown").arg(shownQuery(db)));
    count.next();
    return count.value(0).toLongLong();
}

// The counter is exact when it names both the row count and the page count: an estimate, or a
// counter still counting, does not.
bool counterShows(const tessaro::Tessaro& control, qint64 rows)
{
    const QWidget* counter = control.findChild<QWidget*>(QStringLiteral("lblNumRecord"));
    const int pageRows = std::max(control.PageSize(), 1);
    const QStringList words = counter ? counter->property("Caption").toString().split(QLatin1Char(' ')) : QStringList();
    return words.contains(QString::number(rows)) && words.contains(QString::number((rows + pageRows - 1) / pageRows));
}

// Runs the event loop until the counter is exact or the wait times out, asking for a paint at
// every tick; says which.
bool waitForExactCounter(tessaro::Tessaro& control, qint64 rows)
{
    QEventLoop loop;
    QTimer tick;
    bool exact = counterShows(control, rows);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        control.update();
        exact = counterShows(control, rows);
        if (exact)
            loop.quit();
    });
    QTimer::singleShot(kCountTimeoutMs, &loop, &QEventLoop::quit);
    tick.start(kRepaintMs);
    if (!exact)
        loop.exec();
    return exact;
}

void countPaintGaps(const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    const qint64 rows = countRows(db);
    auto control = makeControl(db, true);
    control->show();
    control->Init_class(QStringLiteral("TessaroBench"), true);
    QApplication::processEvents();
    PaintClock clock(*control);
    bool exact = false;
    timed([&] {
        clock.start();
        control->PopulateList();
        exact = waitForExactCounter(*control, rows);
        // The exact counter on screen ends the operation.
        QApplication::processEvents();
        clock.stop();
    });
    Finding finding = clock.gaps();
    if (!exact)
        finding.note += QStringLiteral("; the counter was not exact after %1 ms").arg(kCountTimeoutMs);
    reportFinding(finding);
}

const bool registered = registerCases(
    {
        {QStringLiteral("load-all-paint-gaps"), loadAllPaintGaps},
        {QStringLiteral("count-paint-gaps"), countPaintGaps},
    },
    {
        {QStringLiteral("SQLite: longest paint gap, load all"), QStringLiteral("load-all-paint-gaps"), QString(),
         {kRows}},
        {QStringLiteral("PostgreSQL: longest paint gap, load all"), QStringLiteral("load-all-paint-gaps"), QString(),
         {kRows}, Store::Postgres},
        {QStringLiteral("PostgreSQL: paint gap, populate to exact count"), QStringLiteral("count-paint-gaps"), QString(),
         {kCountedRows}, Store::Postgres},
    });

} // namespace
} // namespace bench
