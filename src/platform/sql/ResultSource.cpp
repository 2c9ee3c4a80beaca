#include "platform/sql/ResultSource.h"

#include "platform/sql/DatabaseError.h"
#include "platform/sql/SqlText.h"
#include "platform/sql/SqliteRows.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <string>
#include <limits>

namespace tessaro::sql {

namespace {

// The cache serves the pages around the one shown and a sequential reader's current block;
// its bound keeps memory flat whatever the size of the result.
constexpr std::size_t kMaxCachedBlocks = 8;
constexpr qint64 kMaxCachedRows = 4 * qint64(ResultSource::kMaxBlockRows);

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

// next() says false both at the end and when fetching a row failed (PostgreSQL raises some
// errors, a division by zero say, only when it reaches the row).
void throwIfFetchFailed(const QSqlQuery& query)
{
    if (query.lastError().isValid())
        throw databaseError(query.lastError());
}

// Every query is read to its end: the PostgreSQL driver drains an abandoned forward-only query
// on the connection's next use, which for a large result costs as much as reading it.
RowBlock readToEnd(QSqlQuery& query, qint64 offset, int limit, int fieldCount)
{
    RowBlock block;
    block.offset = offset;
    block.limit = limit;
    block.cells.reserve(qsizetype(limit) * fieldCount);
    while (query.next()) {
        for (int field = 0; field < fieldCount; ++field)
            block.cells.append(query.value(field));
        ++block.rows;
    }
    throwIfFetchFailed(query);
    return block;
}

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

class BlockRow final : public RowValues {
public:
    BlockRow(const RowBlock& block, int fieldCount) : m_block(block), m_fieldCount(fieldCount) {}
    void moveTo(qint64 position) { m_first = (position - m_block.offset) * m_fieldCount; }
    QVariant value(int field) const override { return m_block.cells.at(m_first + field); }

private:
    const RowBlock& m_block;
    int m_fieldCount;
    qint64 m_first = 0;
};

} // namespace

ResultSource::ResultSource(const QSqlDatabase& connection, const QString& body)
    : m_connection(connection), m_body(body)
{
}

std::shared_ptr<ResultSource> ResultSource::open(const QString& statement, const QSqlDatabase& connection)
{
    if (!connection.isOpen())
        throw adoError(ConnectionUnusable);
    std::shared_ptr<ResultSource> source(new ResultSource(connection, subqueryBody(statement)));
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (query.exec(boundedQuery(source->m_body, kFirstBlockRows, 0))) {
        source->m_names = namesOf(query.record());
        source->store(readToEnd(query, 0, kFirstBlockRows, source->fieldCount()));
        return source;
    }
    return openWhole(statement, connection);
}

std::shared_ptr<ResultSource> ResultSource::openWhole(const QString& statement,
                                                      const QSqlDatabase& connection)
{
    std::shared_ptr<ResultSource> source(new ResultSource(connection, QString()));
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    // The statement's own error is clearer than the one of its subquery form.
    if (!query.exec(statement))
        throw databaseError(query.lastError());
    source->m_names = namesOf(query.record());
    RowBlock whole = readToEnd(query, 0, std::numeric_limits<int>::max(), source->fieldCount());
    source->m_count = whole.rows;
    if (whole.rows > 0)
        source->m_cache.push_back(std::make_shared<const RowBlock>(std::move(whole)));
    return source;
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
    const bool whole = position == 0 && m_count && maxRows >= *m_count;
    const QString statement = whole ? m_body : boundedQuery(m_body, maxRows, position);
    std::optional<qint64> handed = readSqliteRows(m_connection, statement, maxRows, visit);
    if (!handed)
        handed = readQueryRows(statement, maxRows, visit);
    RowBlock read;
    read.offset = position;
    read.rows = int(*handed);
    read.limit = maxRows;
    learnEnd(read);
    return *handed;
}

qint64 ResultSource::readQueryRows(const QString& statement, int maxRows, const RowVisitor& visit)
{
    QSqlQuery query(m_connection);
    query.setForwardOnly(true);
    if (!query.exec(statement))
        throw databaseError(query.lastError());
    // Should `visit` throw, the PostgreSQL driver reads the rest of the result on the connection's
    // next use: a failing fill of every row pays for reading them before its message shows.
    const QueryRow row(query, fieldCount());
    int handed = 0;
    while (query.next()) {
        if (handed < maxRows) {
            visit(row);
            ++handed;
        }
    }
    throwIfFetchFailed(query);
    return handed;
}

// A statement read whole at open has all its rows in the cache.
qint64 ResultSource::readCached(qint64 position, int maxRows, const RowVisitor& visit)
{
    int handed = 0;
    for (qint64 at = position; handed < maxRows;) {
        const std::shared_ptr<const RowBlock> block = cached(at);
        if (!block)
            break;
        BlockRow row(*block, fieldCount());
        for (; handed < maxRows && block->contains(at); ++at, ++handed) {
            row.moveTo(at);
            visit(row);
        }
    }
    return handed;
}

qint64 ResultSource::recordCount()
{
    if (m_count)
        return *m_count;
    QSqlQuery query(m_connection);
    query.setForwardOnly(true);
    // Counting the statement without its ordering spares the database a sort of every row; a
    // statement that needs its ordering (FETCH ... WITH TIES) is counted as it is.
    const QString unordered = withoutFinalOrdering(m_body);
    bool counted = unordered != m_body && query.exec(countQuery(unordered));
    if (!counted)
        counted = query.exec(countQuery(m_body));
    if (!counted || !query.next())
        throw databaseError(query.lastError());
    const qint64 count = query.value(0).toLongLong();
    while (query.next()) {
    }
    m_count = count;
    return count;
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
    QSqlQuery query(m_connection);
    query.setForwardOnly(true);
    if (!query.exec(boundedQuery(m_body, limit, position)))
        throw databaseError(query.lastError());
    return readToEnd(query, position, limit, fieldCount());
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
    if (block.rows >= block.limit || m_count)
        return;
    // A short block ends the result; an empty one only says no row lies at or after its offset.
    if (block.rows > 0 || block.offset == 0)
        m_count = block.end();
    else
        m_endAtMost = std::min(m_endAtMost.value_or(block.offset), block.offset);
}

} // namespace tessaro::sql
