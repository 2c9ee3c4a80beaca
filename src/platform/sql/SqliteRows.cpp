#include "platform/sql/SqliteRows.h"

#include "platform/AsciiText.h"
#include "platform/sql/DatabaseError.h"
#include "platform/sql/DriverLibrary.h"

#include <QByteArray>
#include <QSqlDriver>
#include <QSqlError>
#include <QUtf8StringView>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace tessaro::sql {

sqlite3* sharedSqliteHandle(const QSqlDatabase& connection)
{
    const QSqlDriver* driver = connection.driver();
    if (driver == nullptr || !connection.isOpen() || driver->dbmsType() != QSqlDriver::SQLite)
        return nullptr;
    const QVariant handle = driver->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0
        || !driverCallsOurs(*driver, "sqlite3_step", reinterpret_cast<const void*>(&sqlite3_step)))
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

namespace {

// Whether SQLite's conversion to UTF-16 reads `text` as strict UTF-8 does: valid UTF-8 without
// U+FFFE or U+FFFF (EF BF BE, EF BF BF), which SQLite replaces.
bool decodesPlainly(std::string_view text)
{
    // Most texts are ASCII, which is valid UTF-8 without those sequences.
    if (isAscii(text))
        return true;
    if (!QUtf8StringView(text.data(), qsizetype(text.size())).isValidUtf8())
        return false;
    for (auto at = text.find("\xEF\xBF"); at != std::string_view::npos; at = text.find("\xEF\xBF", at + 1)) {
        if (at + 2 < text.size() && (text[at + 2] == '\xBE' || text[at + 2] == '\xBF'))
            return false;
    }
    return true;
}

// The values Qt's SQLite driver gives, by storage class. The type is read before any value:
// asking SQLite for another form converts the value in place.
class SqliteRow final : public RowValues {
public:
    SqliteRow(sqlite3_stmt* statement, QSql::NumericalPrecisionPolicy policy)
        : m_statement(statement), m_policy(policy),
          m_converted(std::size_t(std::max(sqlite3_column_count(statement), 0)))
    {
    }

    QVariant value(int field) const override
    {
        switch (sqlite3_column_type(m_statement, field)) {
        case SQLITE_NULL:
            return QVariant(QMetaType::fromType<QString>());
        case SQLITE_INTEGER:
            return QVariant(qint64(sqlite3_column_int64(m_statement, field)));
        case SQLITE_FLOAT:
            if (m_policy == QSql::LowPrecisionInt32)
                return QVariant(sqlite3_column_int(m_statement, field));
            if (m_policy == QSql::LowPrecisionInt64)
                return QVariant(qint64(sqlite3_column_int64(m_statement, field)));
            return QVariant(sqlite3_column_double(m_statement, field));
        case SQLITE_BLOB:
            return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(m_statement, field)),
                                       sqlite3_column_bytes(m_statement, field)));
        default: {
            const std::string_view utf8 = rawText(field);
            return QVariant(decodesPlainly(utf8) ? QString::fromUtf8(utf8) : sqliteUtf16(field));
        }
        }
    }

    StoredValue stored(int field) const override
    {
        StoredValue v;
        switch (sqlite3_column_type(m_statement, field)) {
        case SQLITE_NULL:
            v.kind = StoredValue::Kind::Null;
            break;
        case SQLITE_INTEGER:
            v.kind = StoredValue::Kind::Integer;
            v.integer = sqlite3_column_int64(m_statement, field);
            break;
        case SQLITE_FLOAT:
            if (m_policy == QSql::LowPrecisionDouble || m_policy == QSql::HighPrecision) {
                v.kind = StoredValue::Kind::Real;
                v.real = sqlite3_column_double(m_statement, field);
            }
            break;
        case SQLITE_TEXT:
            v.kind = StoredValue::Kind::Text;
            v.text = text(field);
            break;
        default:
            break;
        }
        return v;
    }

private:
    std::string_view rawText(int field) const
    {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, field));
        return bytes ? std::string_view(bytes, std::size_t(sqlite3_column_bytes(m_statement, field)))
                     : std::string_view();
    }

    // The form QSqlQuery reads. Asking for it converts the value in place: the UTF-8 bytes read
    // before are gone.
    QString sqliteUtf16(int field) const
    {
        const void* units = sqlite3_column_text16(m_statement, field);
        const int bytes = sqlite3_column_bytes16(m_statement, field);
        return units ? QString(static_cast<const QChar*>(units), bytes / qsizetype(sizeof(QChar))) : QString();
    }

    std::string_view text(int field) const
    {
        const std::string_view utf8 = rawText(field);
        if (decodesPlainly(utf8))
            return utf8;
        std::string& converted = m_converted[std::size_t(field)];
        converted = sqliteUtf16(field).toStdString();
        return converted;
    }

    sqlite3_stmt* m_statement;
    QSql::NumericalPrecisionPolicy m_policy;
    mutable std::vector<std::string> m_converted; ///< per field: a text that had to be converted
};

} // namespace

void FinalizeSqliteStatement::operator()(sqlite3_stmt* statement) const
{
    sqlite3_finalize(statement);
}

SqliteStatement prepareSqlite(sqlite3* handle, const QString& text, bool& more)
{
    sqlite3_stmt* raw = nullptr;
    const void* tail = nullptr;
    const int bytes = int(text.size() * qsizetype(sizeof(QChar)));
    const int result = sqlite3_prepare16_v2(handle, text.utf16(), bytes, &raw, &tail);
    SqliteStatement prepared(raw);
    more = tail != nullptr && !QString(static_cast<const QChar*>(tail)).trimmed().isEmpty();
    if (result != SQLITE_OK)
        prepared.reset();
    return prepared;
}

std::optional<qint64> readSqliteRows(const QSqlDatabase& connection, const QString& statement, qint64 maxRows,
                                     const RowVisitor& visit)
{
    sqlite3* handle = sharedSqliteHandle(connection);
    if (handle == nullptr)
        return std::nullopt;
    bool more = false;
    const SqliteStatement query = prepareSqlite(handle, statement, more);
    // A second statement after the first is for QSqlQuery to refuse in its own words, and a
    // statement that would write for the read-only scope it runs in.
    if (!query || more || !sqlite3_stmt_readonly(query.get()))
        return std::nullopt;
    const SqliteRow row(query.get(), connection.driver()->numericalPrecisionPolicy());
    qint64 handed = 0;
    while (handed < maxRows) {
        const int step = sqlite3_step(query.get());
        if (step == SQLITE_DONE)
            break;
        if (step != SQLITE_ROW)
            throw databaseFailure(QSqlError(QStringLiteral("Unable to fetch row"),
                                            QString::fromUtf8(sqlite3_errmsg(handle)), QSqlError::ConnectionError,
                                            QString::number(step)),
                                  statement);
        visit(row);
        ++handed;
    }
    return handed;
}

} // namespace tessaro::sql
