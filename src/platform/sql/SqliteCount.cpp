// The count of an SQLite query on a second, read-only connection to the same file, in a worker
// thread that hands its answer to the UI thread by a queued call.
#include "platform/sql/SqliteRows.h"
#include "platform/sql/WorkerCount.h"

#include <QLoggingCategory>

#include <sqlite3.h>

#include <atomic>

namespace tessaro::sql {

namespace {

Q_LOGGING_CATEGORY(lcCount, "tessaro.sql.count", QtInfoMsg)

// SQLite asks whether to go on every this many steps of its virtual machine: often enough for
// a cancel to stop the count within a millisecond, rarely enough to cost nothing.
constexpr int kStepsBetweenCancelChecks = 1000;

// What the worker and the UI thread share: whether the count is cancelled. A progress handler
// asks it rather than sqlite3_interrupt, which SQLite forgets when it comes between statements.
struct Shared {
    std::atomic<bool> cancelled{false};
};

int stopWhenCancelled(void* shared)
{
    return static_cast<Shared*>(shared)->cancelled.load() ? 1 : 0;
}

// The first statement SQLite counts with, on a connection of its own.
CountBeside::Outcome countOnFile(Shared& shared, const QByteArray& file, const QStringList& statements)
{
    sqlite3* handle = nullptr;
    const int opened = sqlite3_open_v2(file.constData(), &handle, SQLITE_OPEN_READONLY, nullptr);
    if (opened == SQLITE_OK)
        sqlite3_progress_handler(handle, kStepsBetweenCancelChecks, stopWhenCancelled, &shared);
    CountBeside::Outcome outcome;
    outcome.failure = QString::fromUtf8(sqlite3_errmsg(handle));
    for (qsizetype i = 0; opened == SQLITE_OK && i < statements.size() && !outcome.rows && !shared.cancelled; ++i) {
        sqlite3_stmt* statement = nullptr;
        const QByteArray text = statements.at(i).toUtf8();
        if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &statement, nullptr) == SQLITE_OK
            && sqlite3_step(statement) == SQLITE_ROW)
            outcome.rows = sqlite3_column_int64(statement, 0);
        else
            outcome.failure = QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_finalize(statement);
    }
    sqlite3_close(handle);
    if (outcome.rows)
        outcome.failure.clear();
    return outcome;
}

class SqliteCount final : public WorkerCount {
public:
    SqliteCount(const QByteArray& file, const QStringList& statements, Landed landed) : WorkerCount(std::move(landed))
    {
        start([this, file, statements] { return countOnFile(m_shared, file, statements); },
              [](const Outcome& outcome) { qCDebug(lcCount) << "count failed:" << outcome.failure; });
    }

    ~SqliteCount() override
    {
        m_shared.cancelled = true;
        join();
    }

private:
    Shared m_shared;
};

} // namespace

std::unique_ptr<CountBeside> detail::sqliteCount(const QSqlDatabase& connection, const QStringList& statements,
                                                 CountBeside::Landed& landed)
{
    sqlite3* const first = sharedSqliteHandle(connection);
    // An in-memory or temporary database has no file another connection could open, and a
    // second connection would not see the rows of a transaction the host holds open.
    if (first == nullptr || sqlite3_get_autocommit(first) == 0)
        return nullptr;
    const char* const file = sqlite3_db_filename(first, "main");
    if (file == nullptr || *file == '\0')
        return nullptr;
    return std::make_unique<SqliteCount>(QByteArray(file), statements, std::move(landed));
}

} // namespace tessaro::sql
