#include "platform/sql/CountBeside.h"

#include <tessaro/Error.h>

#include <QTimer>

namespace tessaro::sql {

namespace {

// A first connection busy reading (a long load yielding) is asked again this much later.
constexpr int kBusyRetryMs = 50;

// Counts on the first connection, after the page is shown: the count the first connection gives
// is the only one that sees its temporary tables and the host's uncommitted rows.
class HereCount final : public CountBeside {
public:
    HereCount(CountHere here, Landed landed) : m_here(std::move(here)), m_landed(std::move(landed))
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tryNow(); });
        m_timer.start(0);
    }

    Outcome wait() override
    {
        if (!m_outcome)
            count();
        return m_outcome.value_or(Outcome{std::nullopt, QStringLiteral("the connection is busy reading")});
    }
    bool beside() const override { return false; }

private:
    void count()
    {
        try {
            if (const std::optional<qint64> rows = m_here())
                m_outcome = Outcome{rows, QString()};
        } catch (const Error& failure) {
            m_outcome = Outcome{std::nullopt, failure.description()};
        }
    }

    void tryNow()
    {
        count();
        if (!m_outcome) {
            m_timer.start(kBusyRetryMs);
            return;
        }
        // The callback may destroy this object: nothing of it is used afterwards.
        const Landed landed = std::move(m_landed);
        const Outcome outcome = *m_outcome;
        landed(outcome);
    }

    CountHere m_here;
    Landed m_landed;
    QTimer m_timer;
    std::optional<Outcome> m_outcome;
};

} // namespace

std::unique_ptr<CountBeside> CountBeside::start(const QSqlDatabase& connection, const QStringList& statements,
                                                const QString& explain, CountHere here, Landed landed,
                                                Estimated estimated)
{
    if (auto count = detail::postgresCount(connection, statements, explain, landed, estimated))
        return count;
    if (auto count = detail::sqliteCount(connection, statements, landed))
        return count;
    if (auto count = detail::mariadbCount(connection, statements, landed))
        return count;
    return std::make_unique<HereCount>(std::move(here), std::move(landed));
}

} // namespace tessaro::sql
