#pragma once

#include "platform/sql/CountBeside.h"
#include "platform/sql/Rows.h"
#include "platform/sql/SqlDialect.h"

#include <QSqlDatabase>
#include <QStringList>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace tessaro::sql {

/// The rows of one opened query, shared by a result set and its clones: the field names, the
/// record count and a cache of recently read blocks. Rows are read with bounded queries over the
/// statement as a subquery; a statement that cannot be a subquery is read whole at open. Every
/// statement runs inside a ReadOnlyScope: one that would change the database is refused.
class ResultSource {
public:
    /// Smallest and largest number of rows one bounded query reads.
    static constexpr int kFirstBlockRows = 256;
    static constexpr int kMaxBlockRows = 65536;
    /// readRows() to the end, however many rows there are.
    static constexpr int kAllRows = std::numeric_limits<int>::max();

    /// Runs `statement` (its first block, which validates it and names the fields). Throws the
    /// database's error; when the statement fails both as a subquery and on its own, the error
    /// of the statement on its own.
    /// `firstRows` is the size of that first block (kFirstBlockRows by default; a Recordset opens
    /// with its first page and a row).
    static std::shared_ptr<ResultSource> open(const QString& statement, const QSqlDatabase& connection,
                                              int firstRows = kFirstBlockRows);

    const QStringList& fieldNames() const { return m_names; }
    int fieldCount() const { return static_cast<int>(m_names.size()); }

    /// The block holding row `position`, or null past the last row. A block not in the cache is
    /// read with about `wantedRows` rows (clamped to the block limits), stopping short of the
    /// next cached block. Throws the database's error.
    std::shared_ptr<const RowBlock> blockAt(qint64 position, int wantedRows);

    /// Hands the rows from `position` on, at most `maxRows` of them, to `visit`, and returns how
    /// many it handed. They are read in one forward-only pass, with nothing kept: the way to read
    /// a long run of rows once. Throws the database's error, or what `visit` throws.
    qint64 readRows(qint64 position, int maxRows, const RowVisitor& visit);

    /// A new source of the same rows ordered by field `field` (from 1: the key, 0, cannot be
    /// chosen) over every row, by the database, the key breaking ties; ascending with Nulls last,
    /// or exactly the reverse. A count already known is carried over. Throws the database's
    /// error, or 3251 for a statement that was read whole and so cannot be ordered by the database.
    /// The first `firstRows` rows are read at once (a page: sorting them is the database's work).
    std::shared_ptr<ResultSource> sorted(int field, bool descending, int firstRows) const;

    /// Counted once, when first needed; a count running beside is waited for. Throws the
    /// database's error.
    qint64 recordCount();

    /// Starts the count beside the window unless it is known or already running; `landed` is
    /// called on the UI thread when the planner's estimate arrives and when the count is in (or
    /// failed: see countSettled(); recordCount() then counts on the first connection). A later
    /// call replaces `landed`.
    void countBeside(std::function<void()> landed);
    /// Cancels a count running beside; recordCount() then counts on the first connection.
    void stopCounting();
    /// The count, when it is known without waiting.
    std::optional<qint64> knownCount() const { return m_count; }
    /// How many rows are known to exist: the end of the farthest block read.
    qint64 rowsKnown() const;
    /// The planner's estimate of the rows, once the count beside has it (PostgreSQL only).
    std::optional<qint64> estimatedCount() const { return m_estimate; }
    /// Whether the count beside has given its answer, a count or a failure.
    bool countSettled() const { return m_count || m_countLanded; }

private:
    /// How long runs of rows are read, chosen once from the connection.
    enum class Reader { Sqlite, Postgres, Mariadb, Query };
    static Reader readerFor(const QSqlDatabase& connection);

    ResultSource(const QSqlDatabase& connection, const QString& body);
    /// Runs `statement`, names the fields and keeps its first block of at most `limit` rows;
    /// false when it fails and is not the `last` try (then it throws).
    bool readFirst(const QString& statement, int limit, bool last);

    std::shared_ptr<const RowBlock> cached(qint64 position);
    qint64 rowsBeforeNextCached(qint64 position) const;
    RowBlock read(qint64 position, int limit);
    /// Rows `position` .. of a counted result read from its end in the reversed order, then put
    /// back in order; nothing when the order cannot be reversed.
    std::optional<RowBlock> readFromEnd(qint64 position, int limit);
    /// The count `statement` gives; nothing when it fails and is not the `last` try (then it throws).
    std::optional<qint64> countRows(const QString& statement, bool last);
    /// The statements a count tries, in order: without the final ordering, then as written.
    QStringList countStatements() const;
    /// Counts on the first connection, now.
    qint64 countHere();
    void countLanded(const CountBeside::Outcome& outcome);
    void tellListener();
    qint64 readCached(qint64 position, int maxRows, const RowVisitor& visit);
    /// Keeps a block that has rows in the cache (evicting the least recently used) and returns it.
    std::shared_ptr<const RowBlock> store(RowBlock&& block);
    void learnEnd(const RowBlock& block);

    QSqlDatabase m_connection;
    std::shared_ptr<const SqlDialect> m_dialect; ///< chosen from the driver at open
    Reader m_reader;
    QString m_body;       ///< the statement as a subquery body; empty when read whole
    QStringList m_names;
    std::optional<qint64> m_count;
    std::optional<qint64> m_endAtMost; ///< a position known to have no row
    qint64 m_rowsKnown = 0;            ///< rows known to exist
    std::unique_ptr<CountBeside> m_counting; ///< the count running beside, or done
    bool m_countLanded = false;        ///< m_counting has its outcome
    std::function<void()> m_onCounted;
    bool m_reading = false;            ///< a forward-only read is running (and may yield)
    std::optional<qint64> m_estimate;
    std::optional<std::optional<QString>> m_reversed; ///< the body ordered backwards, once asked
    std::vector<std::shared_ptr<const RowBlock>> m_cache; ///< most recently used first
};

} // namespace tessaro::sql
