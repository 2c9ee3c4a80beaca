#pragma once

// A count run by a worker thread on a connection of its own, its outcome handed to the UI thread
// by a queued call: what the SQLite and the MariaDB counts share.

#include "platform/sql/CountBeside.h"

#include <QObject>

#include <functional>
#include <thread>

namespace tessaro::sql {

class WorkerCount : public CountBeside {
public:
    Outcome wait() override
    {
        // The worker's queued call still tells the window, as of any count that lands.
        join();
        return m_outcome;
    }
    bool beside() const override { return true; }

protected:
    explicit WorkerCount(Landed landed) : m_landed(std::move(landed)) {}
    /// Joins the worker; a subclass stops its count and calls join() in its own destructor,
    /// since the worker uses the subclass's members.
    ~WorkerCount() override { join(); }

    /// Runs `count` in the worker: called last in the subclass's constructor, once everything
    /// the worker uses is built. `failed` is told the outcome of a count that did not count.
    void start(std::function<Outcome()> count, std::function<void(const Outcome&)> failed)
    {
        m_worker = std::thread([this, count = std::move(count), failed = std::move(failed)] {
            m_outcome = count();
            if (!m_outcome.rows)
                failed(m_outcome);
            // Dropped by Qt when the receiver is gone; the destructor joins before it goes.
            QMetaObject::invokeMethod(&m_receiver, [this] { delivered(); }, Qt::QueuedConnection);
        });
    }

    void join()
    {
        if (m_worker.joinable())
            m_worker.join();
    }

private:
    void delivered()
    {
        join();
        // The callback may destroy this object: nothing of it is used afterwards.
        const Landed landed = std::move(m_landed);
        const Outcome outcome = m_outcome;
        if (landed)
            landed(outcome);
    }

    QObject m_receiver; ///< lives on the UI thread, where the answer is delivered
    Landed m_landed;
    Outcome m_outcome; ///< written by the worker, read once it is joined
    std::thread m_worker;
};

} // namespace tessaro::sql
