#include <tessaro/Recordset.h>

#include "platform/sql/DatabaseError.h"
#include "platform/sql/RecordsetRows.h"
#include "platform/sql/ResultSource.h"

#include <QSqlDatabase>

#include <algorithm>

namespace tessaro {

using sql::resultSetError;

namespace {

constexpr int kDefaultPageSize = 10;

} // namespace

struct Recordset::Private {
    std::shared_ptr<sql::ResultSource> source; ///< null while closed
    QSqlError lastError;                       ///< the database's own, of the last failure
    qint64 position = 0;                       ///< the current row, from 0
    std::shared_ptr<const sql::RowBlock> block; ///< the block last read through this cursor
    int pageSize = kDefaultPageSize;

    sql::ResultSource& rows() const
    {
        if (!source)
            throw resultSetError(sql::ObjectClosed);
        return *source;
    }

    void checkField(int index) const
    {
        if (index < 0 || index >= (source ? source->fieldCount() : 0))
            throw resultSetError(sql::ItemNotFound);
    }

    /// Runs `read`, keeping the database's error it fails with.
    template <class Read>
    auto fromDatabase(Read&& read) -> decltype(read())
    {
        try {
            return read();
        } catch (const sql::DatabaseFailure& failure) {
            lastError = failure.sqlError();
            throw;
        }
    }

    qint64 recordCount() { return fromDatabase([&] { return rows().recordCount(); }); }

    /// The block holding the current row, or null past the last row.
    const sql::RowBlock* currentBlock()
    {
        if (block && block->contains(position))
            return block.get();
        // Reading on from the end of the last block doubles the block (up to the largest): each
        // bounded read makes the database skip its OFFSET rows again, so a reader of every row
        // wants few reads. A jump reads about one page.
        const bool sequential = block && position == block->end();
        const qint64 wanted = sequential ? 2 * qint64(block->limit) : pageSize;
        const int rowsWanted = int(std::min<qint64>(wanted, sql::ResultSource::kMaxBlockRows));
        auto next = fromDatabase([&] { return rows().blockAt(position, rowsWanted); });
        if (!next)
            return nullptr;
        block = std::move(next);
        return block.get();
    }
};

Recordset::Recordset() : d(std::make_unique<Private>()) {}

Recordset::~Recordset() = default;

void Recordset::Open(const QString& Source, const QSqlDatabase& ActiveConnection, int, int, int)
{
    if (d->source)
        throw resultSetError(sql::ObjectOpen);
    d->lastError = QSqlError();
    if (!ActiveConnection.isOpen()) {
        const QSqlError closed = ActiveConnection.lastError();
        d->lastError = closed.isValid() ? closed
                                        : QSqlError(QStringLiteral("The connection is not open"), QString(),
                                                    QSqlError::ConnectionError);
        sql::databaseFailure(d->lastError, Source);
        throw resultSetError(sql::ConnectionUnusable);
    }
    // The first page and a row: whether another page follows is known without a count.
    const int firstRows = std::min(d->pageSize, sql::ResultSource::kMaxBlockRows - 1) + 1;
    d->source = d->fromDatabase([&] { return sql::ResultSource::open(Source, ActiveConnection, firstRows); });
    d->position = 0;
    d->block.reset();
}

void Recordset::Close()
{
    d->rows();
    d->source.reset();
    d->block.reset();
    d->position = 0;
}

int Recordset::State() const
{
    return d->source ? 1 : 0;
}

std::shared_ptr<Recordset> Recordset::Clone(int) const
{
    d->rows();
    auto clone = std::make_shared<Recordset>();
    clone->d->source = d->source;
    return clone;
}

bool Recordset::Bof() const
{
    // The cursor only moves forwards from the first row, so it is before the first row only
    // when there is none.
    return d->position == 0 && Eof();
}

bool Recordset::Eof() const
{
    d->rows();
    return d->currentBlock() == nullptr;
}

void Recordset::MoveFirst()
{
    d->rows();
    d->position = 0;
}

void Recordset::MoveNext()
{
    if (Eof())
        throw resultSetError(sql::NoCurrentRecord);
    ++d->position;
}

FieldCollection Recordset::Fields() const
{
    return FieldCollection(*this);
}

int Recordset::FieldCount() const
{
    // A closed set has no fields, as a set that was never opened.
    return d->source ? d->source->fieldCount() : 0;
}

QString Recordset::FieldName(int index) const
{
    d->checkField(index);
    return d->source->fieldNames().at(index);
}

QVariant Recordset::FieldValue(int index) const
{
    d->checkField(index);
    const sql::RowBlock* block = d->currentBlock();
    if (!block)
        throw resultSetError(sql::NoCurrentRecord);
    return block->cells.at((d->position - block->offset) * d->source->fieldCount() + index);
}

int Recordset::PageSize() const
{
    return d->pageSize;
}

void Recordset::setPageSize(int rows)
{
    if (rows < 1)
        throw resultSetError(sql::ArgumentsOutOfRange);
    d->pageSize = rows;
}

int Recordset::PageCount() const
{
    const qint64 count = d->recordCount();
    return int((count + d->pageSize - 1) / d->pageSize);
}

int Recordset::AbsolutePage() const
{
    constexpr int kBeforeFirst = -2;
    constexpr int kAfterLast = -3;
    if (Bof())
        return kBeforeFirst;
    if (Eof())
        return kAfterLast;
    return int(d->position / d->pageSize) + 1;
}

void Recordset::setAbsolutePage(int page)
{
    if (page < 1 || sql::RecordsetRows::atMostLastPage(*this, page) != page)
        throw resultSetError(sql::ArgumentsOutOfRange);
    d->position = qint64(page - 1) * d->pageSize;
}

int Recordset::RecordCount() const
{
    return int(d->recordCount());
}

QSqlError Recordset::LastDatabaseError() const
{
    return d->lastError;
}

void sql::RecordsetRows::readOn(Recordset& set, int maxRows, const RowVisitor& visit)
{
    Recordset::Private& d = *set.d;
    const auto handOn = [&](const RowValues& row) {
        visit(row);
        ++d.position;
    };
    if (maxRows > kLongestCachedRun) {
        // A visitor that yields may let the host close the set: its rows stay until the read ends.
        const std::shared_ptr<sql::ResultSource> source = d.source;
        d.fromDatabase([&] { return d.rows().readRows(d.position, maxRows, handOn); });
        return;
    }
    d.rows();
    for (int handed = 0; handed < maxRows; ++handed) {
        const RowBlock* block = d.currentBlock();
        if (!block)
            return;
        BlockRow row(*block, d.source->fieldCount());
        row.moveTo(d.position);
        handOn(row);
    }
}

qint64 sql::RecordsetRows::readAt(const Recordset& set, qint64 position, int maxRows, const RowVisitor& visit)
{
    Recordset::Private& d = *set.d;
    // A visitor that yields may let the host close the set: its rows stay until the read ends.
    const std::shared_ptr<sql::ResultSource> source = d.source;
    return d.fromDatabase([&] { return d.rows().readRows(position, maxRows, visit); });
}

std::shared_ptr<Recordset> sql::RecordsetRows::sorted(const Recordset& set, int field, bool descending)
{
    Recordset::Private& d = *set.d;
    auto ordered = std::make_shared<Recordset>();
    ordered->d->source = d.fromDatabase([&] { return d.rows().sorted(field, descending, d.pageSize); });
    ordered->d->pageSize = d.pageSize;
    return ordered;
}

void sql::RecordsetRows::countBeside(const Recordset& set, std::function<void()> landed)
{
    if (set.d->source)
        set.d->source->countBeside(std::move(landed));
}

void sql::RecordsetRows::stopCounting(const Recordset& set)
{
    if (set.d->source)
        set.d->source->stopCounting();
}

std::optional<qint64> sql::RecordsetRows::knownCount(const Recordset& set)
{
    return set.d->source ? set.d->source->knownCount() : std::nullopt;
}

qint64 sql::RecordsetRows::rowsKnown(const Recordset& set)
{
    return set.d->source ? set.d->source->rowsKnown() : 0;
}

// A page whose first row has been read needs no count: the first page shows before it. A page
// beyond the rows read so far is looked for by reading it, which a move there does anyway,
// rather than by waiting for the count.
int sql::RecordsetRows::atMostLastPage(const Recordset& set, int page)
{
    const qint64 first = qint64(page - 1) * set.d->pageSize;
    sql::ResultSource& rows = set.d->rows();
    if (page >= 1 && first < rows.rowsKnown())
        return page;
    if (page >= 1 && !rows.knownCount() && set.d->fromDatabase([&] { return rows.blockAt(first, set.d->pageSize); }))
        return page;
    return std::min(page, set.PageCount());
}

bool sql::RecordsetRows::countSettled(const Recordset& set)
{
    return set.d->source && set.d->source->countSettled();
}

std::optional<qint64> sql::RecordsetRows::estimatedCount(const Recordset& set)
{
    return set.d->source ? set.d->source->estimatedCount() : std::nullopt;
}

QString Field::Name() const
{
    return m_owner->FieldName(m_index);
}

QVariant Field::Value() const
{
    return m_owner->FieldValue(m_index);
}

int FieldCollection::Count() const
{
    return m_owner->FieldCount();
}

Field FieldCollection::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw resultSetError(sql::ItemNotFound);
    return Field(*m_owner, index);
}

} // namespace tessaro
