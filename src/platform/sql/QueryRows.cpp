// Rows read through Qt's query, the back end that serves every driver, and the order in which
// the back ends are tried.
#include "platform/sql/PostgresRows.h"
#include "platform/sql/ReadOnlyScope.h"
#include "platform/sql/Rows.h"
#include "platform/sql/SqliteRows.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <string>

namespace tessaro::sql {
namespace {

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

std::optional<qint64> readWithQuery(ReadOnlyQuery& run, qint64 maxRows, const RowVisitor& visit)
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

} // namespace

const std::vector<RowReader>& rowReaders()
{
    static const std::vector<RowReader> readers{
        readWithSqlite,
        readWithPostgres,
        readWithQuery,
    };
    return readers;
}

} // namespace tessaro::sql
