#include "platform/sql/ResultSource.h"

#include "platform/sql/DatabaseError.h"
#include "platform/sql/MariadbRows.h"
#include "platform/sql/PostgresConnection.h"
#include "platform/sql/PostgresRows.h"
#include "platform/sql/ReadOnlyScope.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/SqliteRows.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <limits>
#include <string>

namespace tessaro::sql {

namespace {

// The cache serves the pages around the one shown and a sequential reader's current block;
// its bound keeps memory flat whatever the size of the result.
constexpr std::size_t kMaxCachedBlocks = 8;
constexpr qint64 kMaxCachedRows = 4 * qint64(ResultSource::kMaxBlockRows);
// A statement read whole has no limit of its own.
constexpr int kWholeLimit = std::numeric_limits<int>::max();

// SQLite renames repeated column names of a subquery ("id", "id:1", "id:2"); the statement on
// its own names them all "id", and that is what the caller wrote.
QString withoutSubqueryRenaming(const QString& name, const QStringList& earlier)
{
    static const QRegularExpression renamed(QStringLiteral("^(.*):[0-9]+$"));
    const QRegularExpressionMatch match = renamed.match(name);
    return match.hasMatch() && earlier.contains(match.captured(1)) ? match.captured(1) : name;
}

QStringList namesOf(const QSqlRecord& record)
{
    QStringList names;
    names.reserve(record.count());
    for (int i = 0; i < record.count(); ++i)
        names.append(withoutSubqueryRenaming(record.fieldName(i), names));
    return names;
}

// Every query is read to its end: the PostgreSQL driver drains an abandoned forward-only query
// on the connection's next use, which for a large result costs as much as reading it. Room is
// reserved only for rows known to exist (`knownRows`): a limit says nothing of the result's size.
RowBlock readToEnd(ReadOnlyQuery& run, qint64 offset, int limit, qint64 knownRows, int fieldCount)
{
    RowBlock block;
    block.offset = offset;
    block.limit = limit;
    block.cells.reserve(qsizetype(std::clamp<qint64>(knownRows, 0, limit)) * fieldCount);
    QSqlQuery& query = run.query();
    while (query.next()) {
        for (int field = 0; field < fieldCount; ++field)
            block.cells.append(query.value(field));
        ++block.rows;
    }
    run.throwIfFetchFailed();
    return block;
}

// Rows read through Qt's query, the back end that serves every driver.
class QueryRow final : public RowValues {
public:
    QueryRow(const QSqlQuery& query, int fieldCount) : m_query(query), m_utf8(std::size_t(fieldCount)) {}
    QVariant value(int field) const override { return m_query.value(field); }
    StoredValue stored(int field) const override;

private:
    const QSqlQuery& m_query;
    mutable std::vector<std::string> m_utf8; // each field's text of the current row
};

// The types whose plain text is the stored value's own: whole numbers, doubles, texts.
StoredValue QueryRow::stored(int field) const
{
    const QVariant value = m_query.value(field);
    StoredValue stored;
    if (value.isNull()) {
        stored.kind = StoredValue::Kind::Null;
        return stored;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        stored.kind = StoredValue::Kind::Integer;
        stored.integer = value.toLongLong();
        break;
    case QMetaType::Double:
        stored.kind = StoredValue::Kind::Real;
        stored.real = value.toDouble();
        break;
    case QMetaType::QString: {
        std::string& text = m_utf8[std::size_t(field)];
        text = value.toString().toStdString();
        stored.kind = StoredValue::Kind::Text;
        stored.text = text;
        break;
    }
    default:
        break;
    }
    return stored;
}

qint64 readWithQuery(ReadOnlyQuery& run, qint64 maxRows, const RowVisitor& visit)
{
    QSqlQuery& query = run.query();
    if (!query.exec(run.statement()))
        throw run.failure();
    // Should `visit` throw, the PostgreSQL driver reads the rest of the result on the connection's
    // next use: a failing fill of every row pays for reading them before its message shows.
    const QueryRow row(query, query.record().count());
    qint64 handed = 0;
    while (query.next()) {
        if (handed < maxRows) {
            visit(row);
            ++handed;
        }
    }
    run.throwIfFetchFailed();
    return handed;
}

// Marks a forward-only read for as long as it runs, however it ends.
class ReadingFlag {
public:
    explicit ReadingFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~ReadingFlag() { m_flag = false; }
    ReadingFlag(const ReadingFlag&) = delete;
    ReadingFlag& operator=(const ReadingFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace

ResultSource::ResultSource(const QSqlDatabase& connection, const QString& body)
    : m_connection(connection), m_dialect(SqlDialect::forConnection(connection)), m_reader(readerFor(connection)),
      m_body(body)
{
}

// The database's own interface where this library shares the driver's copy of it, else Qt's
// query, which serves every driver.
ResultSource::Reader ResultSource::readerFor(const QSqlDatabase& connection)
{
    if (sharedSqliteHandle(connection) != nullptr)
        return Reader::Sqlite;
    if (sharedPostgresHandle(connection) != nullptr)
        return Reader::Postgres;
    if (sharedMariadbHandle(connection) != nullptr)
        return Reader::Mariadb;
    return Reader::Query;
}

std::shared_ptr<ResultSource> ResultSource::open(const QString& statement, const QSqlDatabase& connection,
                                                 int firstRows)
{
    if (!connection.isOpen())
        throw resultSetError(ConnectionUnusable);
    std::shared_ptr<ResultSource> source(new ResultSource(connection, subqueryBody(statement)));
    if (!source->readFirst(source->m_dialect->page(source->m_body, firstRows, 0), firstRows, false)) {
        // Read whole: the statement's own error is clearer than the one of its subquery form.
        source->m_body.clear();
        source->readFirst(statement, kWholeLimit, true);
    }
    return source;
}

std::shared_ptr<ResultSource> ResultSource::sorted(int field, bool descending, int firstRows) const
{
    const QSqlDriver* driver = m_connection.driver();
    if (m_body.isEmpty() || field <= 0 || field >= fieldCount() || !driver)
        throw resultSetError(NotSupported);
    const QString name = driver->escapeIdentifier(m_names.at(field), QSqlDriver::FieldName);
    std::shared_ptr<ResultSource> ordered =
        open(m_dialect->sorted(m_body, field, name, descending), m_connection, std::clamp(firstRows, 1, kFirstBlockRows));
    ordered->m_count = m_count;
    return ordered;
}

bool ResultSource::readFirst(const QString& statement, int limit, bool last)
{
    ReadOnlyQuery run(m_connection);
    if (!run.exec(statement)) {
        if (last)
            throw run.failure();
        return false;
    }
    m_names = namesOf(run.query().record());
    store(readToEnd(run, 0, limit, 0, fieldCount()));
    return true;
}

std::shared_ptr<const RowBlock> ResultSource::blockAt(qint64 position, int wantedRows)
{
    if (position < 0 || (m_count && position >= *m_count) || (m_endAtMost && position >= *m_endAtMost))
        return {};
    if (auto block = cached(position))
        return block;
    if (m_body.isEmpty())
        return {};
    const qint64 wanted = std::clamp(wantedRows, kFirstBlockRows, kMaxBlockRows);
    const int limit = static_cast<int>(std::min(wanted, rowsBeforeNextCached(position)));
    return store(read(position, limit));
}

qint64 ResultSource::readRows(qint64 position, int maxRows, const RowVisitor& visit)
{
    if (position < 0 || maxRows <= 0)
        return 0;
    if (m_body.isEmpty())
        return readCached(position, maxRows, visit);
    // Every row from the first: the statement as written, planned as the caller wrote it.
    const bool all = m_count ? maxRows >= *m_count : maxRows == kAllRows;
    const bool whole = position == 0 && all;
    const QString statement = whole ? m_body : m_dialect->page(m_body, maxRows, position);
    ReadOnlyQuery run(m_connection);
    if (!run.admit(statement))
        throw run.failure();
    const ReadingFlag reading(m_reading);
    // A direct reader declines, before reading, only a statement it cannot run: Qt's query then
    // runs it and reports its error in the driver's words.
    std::optional<qint64> direct;
    if (m_reader == Reader::Sqlite)
        direct = readSqliteRows(m_connection, statement, maxRows, visit);
    else if (m_reader == Reader::Postgres)
        direct = readWithPostgres(m_connection, run, maxRows, visit, PostgresStatement::Subquery);
    else if (m_reader == Reader::Mariadb)
        direct = readWithMariadb(m_connection, run, maxRows, visit);
    const qint64 handed = direct ? *direct : readWithQuery(run, maxRows, visit);
    learnEnd(RowBlock{position, int(handed), maxRows, {}});
    return handed;
}

// A statement read whole at open has all its rows in one cached block (none when it has none).
qint64 ResultSource::readCached(qint64 position, int maxRows, const RowVisitor& visit)
{
    const std::shared_ptr<const RowBlock> block = cached(position);
    if (!block)
        return 0;
    BlockRow row(*block, fieldCount());
    qint64 at = position;
    for (; at < block->end() && at - position < maxRows; ++at) {
        row.moveTo(at);
        visit(row);
    }
    return at - position;
}

std::shared_ptr<const RowBlock> ResultSource::cached(qint64 position)
{
    const auto found = std::find_if(m_cache.begin(), m_cache.end(),
                                    [position](const auto& block) { return block->contains(position); });
    if (found == m_cache.end())
        return {};
    std::rotate(m_cache.begin(), found, found + 1);
    return m_cache.front();
}

qint64 ResultSource::rowsBeforeNextCached(qint64 position) const
{
    qint64 rows = kMaxBlockRows;
    for (const auto& block : m_cache) {
        if (block->offset > position)
            rows = std::min(rows, block->offset - position);
    }
    return rows;
}

RowBlock ResultSource::read(qint64 position, int limit)
{
    // Rows nearer the end than the start are read from the end, where the order allows it: the
    // database then skips the rows after them instead of every row before them.
    if (m_count && *m_count - position - limit < position) {
        if (std::optional<RowBlock> block = readFromEnd(position, limit))
            return std::move(*block);
    }
    ReadOnlyQuery run(m_connection);
    if (!run.exec(m_dialect->page(m_body, limit, position)))
        throw run.failure();
    const qint64 known = m_count ? *m_count - position : 0;
    return readToEnd(run, position, limit, known, fieldCount());
}

std::optional<RowBlock> ResultSource::readFromEnd(qint64 position, int limit)
{
    if (!m_reversed)
        m_reversed = m_names.isEmpty() ? std::nullopt : reversedOrdering(m_body, m_names.first());
    if (!*m_reversed)
        return std::nullopt;
    const qint64 end = std::min(*m_count, position + limit);
    ReadOnlyQuery run(m_connection);
    if (!run.exec(m_dialect->pageFromEnd(**m_reversed, int(end - position), *m_count - end))) {
        // An order the database cannot turn round (a collation or an operator it reads its own
        // way): read forwards from now on.
        run.failure();
        m_reversed = std::optional<QString>();
        return std::nullopt;
    }
    RowBlock block = readToEnd(run, position, limit, end - position, fieldCount());
    const int fields = fieldCount();
    for (int low = 0, high = block.rows - 1; low < high; ++low, --high) {
        for (int field = 0; field < fields; ++field)
            std::swap(block.cells[qsizetype(low) * fields + field], block.cells[qsizetype(high) * fields + field]);
    }
    return block;
}

std::shared_ptr<const RowBlock> ResultSource::store(RowBlock&& block)
{
    learnEnd(block);
    if (block.rows == 0)
        return {};
    auto stored = std::make_shared<const RowBlock>(std::move(block));
    m_cache.insert(m_cache.begin(), stored);
    qint64 rows = 0;
    for (const auto& cachedBlock : m_cache)
        rows += cachedBlock->rows;
    while (m_cache.size() > 1 && (m_cache.size() > kMaxCachedBlocks || rows > kMaxCachedRows)) {
        rows -= m_cache.back()->rows;
        m_cache.pop_back();
    }
    return stored;
}

void ResultSource::learnEnd(const RowBlock& block)
{
    if (block.rows > 0)
        m_rowsKnown = std::max(m_rowsKnown, block.end());
    if (block.rows >= block.limit || m_count)
        return;
    // A short block ends the result; an empty one only says no row lies at or after its offset.
    if (block.rows > 0 || block.offset == 0)
        m_count = block.end();
    else
        m_endAtMost = std::min(m_endAtMost.value_or(block.offset), block.offset);
}

} // namespace tessaro::sql
