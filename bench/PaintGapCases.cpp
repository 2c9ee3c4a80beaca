// How long the window stays frozen during a load all: the paints of the control and of anything
// inside it (the list, its scroll bars, the page bar's progress) are timed while the rows come in.
// A gap between two paints (or between the start and the first paint, or the last paint and the
// end) is what the user sees as a window that does not answer.
// There is no plain-Qt line to set beside it: the figure is printed on its own.
#include "BenchData.h"
#include "Cases.h"

#include <tessaro/Tessaro.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace bench {
namespace {

constexpr double kNanosecondsPerMillisecond = 1e6;
constexpr qint64 kRows = 1000000;

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

const bool registered = registerCases(
    {
        {QStringLiteral("load-all-paint-gaps"), loadAllPaintGaps},
    },
    {
        {QStringLiteral("SQLite: longest paint gap, load all"), QStringLiteral("load-all-paint-gaps"), QString(),
         {kRows}},
        {QStringLiteral("PostgreSQL: longest paint gap, load all"), QStringLiteral("load-all-paint-gaps"), QString(),
         {kRows}, Store::Postgres},
    });

} // namespace
} // namespace bench
