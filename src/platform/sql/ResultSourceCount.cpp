// The result's row count: counted beside the window when it can be, on the first connection
// when it must be, and waited for by whoever needs it exact.
#include "platform/sql/ResultSource.h"

#include "platform/sql/ReadOnlyScope.h"
#include "platform/sql/SqlText.h"

namespace tessaro::sql {

qint64 ResultSource::recordCount()
{
    if (m_count)
        return *m_count;
    if (m_counting && m_counting->beside() && !m_countLanded) {
        const CountBeside::Outcome outcome = m_counting->wait();
        m_countLanded = true;
        if (outcome.rows)
            return *(m_count = outcome.rows);
    }
    return countHere();
}

QStringList ResultSource::countStatements() const
{
    // Counting the statement without its ordering spares the database a sort of every row; a
    // statement that needs its ordering (FETCH ... WITH TIES) is counted as it is.
    QStringList statements;
    const QString unordered = withoutFinalOrdering(m_body);
    if (unordered != m_body)
        statements.append(m_dialect->count(unordered, fieldCount()));
    statements.append(m_dialect->count(m_body, fieldCount()));
    return statements;
}

qint64 ResultSource::countHere()
{
    if (m_count)
        return *m_count;
    const QStringList statements = countStatements();
    for (qsizetype i = 0; i + 1 < statements.size(); ++i) {
        if (const std::optional<qint64> count = countRows(statements.at(i), false))
            return *(m_count = count);
    }
    return *(m_count = countRows(statements.last(), true));
}

void ResultSource::countBeside(std::function<void()> landed)
{
    m_onCounted = std::move(landed);
    if (m_count || m_counting || m_body.isEmpty())
        return;
    m_countLanded = false;
    // On the first connection, only between reads: a long read yields with its rows half read.
    const auto here = [this]() -> std::optional<qint64> {
        if (m_reading)
            return std::nullopt;
        return countHere();
    };
    // Planned without its ordering: the rows are as many, and the plan comes sooner.
    const QString explain = QStringLiteral("EXPLAIN ") + withoutFinalOrdering(m_body);
    m_counting = CountBeside::start(
        m_connection, countStatements(), explain, here,
        [this](const CountBeside::Outcome& outcome) { countLanded(outcome); },
        [this](qint64 rows) {
            m_estimate = rows;
            tellListener();
        });
}

void ResultSource::countLanded(const CountBeside::Outcome& outcome)
{
    m_countLanded = true;
    if (outcome.rows && !m_count)
        m_count = outcome.rows;
    tellListener();
}

void ResultSource::tellListener()
{
    // The listener may drop the last reference to this source: nothing of it is used afterwards.
    const std::function<void()> onCounted = m_onCounted;
    if (onCounted)
        onCounted();
}

void ResultSource::stopCounting()
{
    m_counting.reset();
    m_onCounted = nullptr;
}

qint64 ResultSource::rowsKnown() const
{
    return m_count ? *m_count : m_rowsKnown;
}


std::optional<qint64> ResultSource::countRows(const QString& statement, bool last)
{
    ReadOnlyQuery run(m_connection);
    if (!run.exec(statement) || !run.query().next()) {
        if (last)
            throw run.failure();
        return std::nullopt;
    }
    const qint64 count = run.query().value(0).toLongLong();
    while (run.query().next()) {
    }
    return count;
}

} // namespace tessaro::sql
