#pragma once

// A load of many rows runs in the GUI thread. The pacer lets the window paint a few dozen times
// a second, shows the rows read so far once the load has run for a while, and lets the user
// stop the load: Esc, wherever the focus is in the control's window, or a click on one of the
// stop widgets. While it yields, the user's other clicks and keys on the control are swallowed,
// so no action of the control runs in the middle of the load; the list's scroll bars and the
// wheel still work.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>


namespace tessaro {

class LoadPacer : public QObject {
    Q_OBJECT

public:
    /// Shows the progress: `done` rows of `total` read so far.
    using ProgressView = std::function<void(int done, int total)>;

    /// Paces loads of `control`, which owns the pacer (directly or through its parts).
    explicit LoadPacer(QWidget& control);
    ~LoadPacer() override;

    void setProgressView(ProgressView view) { m_view = std::move(view); }
    /// A click on `widget` during a yield stops the load.
    void addStopWidget(QWidget* widget) { m_stopWidgets.emplace_back(widget); }

    /// Marks the span of one load of `total` rows; a load that stays short never shows its
    /// progress. The pacer is busy from construction to destruction; a session outliving the
    /// pacer is harmless.
    class Session {
    public:
        Session(LoadPacer& pacer, int total);
        ~Session();
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;

    private:
        QPointer<LoadPacer> m_pacer;
    };

    /// A load is running: the control refuses its other actions quietly meanwhile.
    bool busy() const { return m_busy; }
    /// Whether it is time to yield: a few dozen times a second. Cheap enough to ask every few
    /// hundred rows, not meant for every row.
    bool due() const { return m_busy && m_clock.isValid() && m_clock.elapsed() >= m_nextYield; }
    /// Shows `done` rows read (once the load has run a while) and lets the event loop run. False
    /// when the load must end: the user stopped it or the control is gone. After false the caller
    /// must not touch the control or the pacer before its own guard says the control is still there.
    bool yield(int done);
    /// Whether the last load was stopped by the user, and how many rows it had read then.
    bool stopped() const { return m_stopped; }
    int kept() const { return m_kept; }
    int total() const { return m_total; }
    /// The total learnt during a load (a count that landed beside it) or after it.
    void setTotal(int total) { m_total = total; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isEscape(const QObject* watched, const QEvent& event) const;
    bool insideControl(const QObject* object) const;
    bool isStopWidget(const QObject* object) const;

    QWidget& m_control;
    ProgressView m_view;
    std::vector<QPointer<QWidget>> m_stopWidgets;
    QElapsedTimer m_clock;
    qint64 m_nextYield = 0;
    bool m_busy = false;
    bool m_stopRequested = false;
    bool m_stopped = false;
    int m_kept = 0;
    int m_total = 0;
};

} // namespace tessaro
