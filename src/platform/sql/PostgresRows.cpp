#include "platform/sql/PostgresRows.h"

#include "platform/sql/DatabaseError.h"
#include "platform/sql/ReadOnlyScope.h"

#include <QAtomicInteger>
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QTime>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

#include <libpq-fe.h>

#if defined(__ELF__)
#include <dlfcn.h>
#endif

namespace tessaro::sql {
namespace {

// A driver with its own copy of libpq hands over a connection only that copy can use. The
// driver's binary (found through its class's meta-object, which lives there) must resolve PQexec
// to the very function this library calls. Where binaries cannot be asked that, the connection
// is never used here and Qt's query reads the rows.
bool askDriverBinary(const QMetaObject* driverClass)
{
#if defined(__ELF__)
    Dl_info info{};
    if (dladdr(driverClass, &info) == 0 || info.dli_fname == nullptr)
        return false;
    void* binary = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (binary == nullptr)
        return false;
    const void* theirs = dlsym(binary, "PQexec");
    dlclose(binary);
    return theirs == reinterpret_cast<const void*>(&PQexec);
#else
    Q_UNUSED(driverClass);
    return false;
#endif
}

// Asked once per driver class: each lives in one plugin binary, which Qt keeps loaded.
bool driverSharesOurLibpq(const QSqlDriver& driver)
{
    thread_local QHash<const QMetaObject*, bool> answers;
    const QMetaObject* driverClass = driver.metaObject();
    auto known = answers.find(driverClass);
    if (known == answers.end())
        known = answers.insert(driverClass, askDriverBinary(driverClass));
    return *known;
}

} // namespace

PGconn* postgresHandle(const QSqlDatabase& connection)
{
    const QSqlDriver* driver = connection.driver();
    if (driver == nullptr || driver->dbmsType() != QSqlDriver::PostgreSQL)
        return nullptr;
    const QVariant handle = driver->handle();
    // PGconn is a typedef of struct pg_conn: Qt names the type by the struct.
    if (!handle.isValid() || (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
}

PGconn* sharedPostgresHandle(const QSqlDatabase& connection)
{
    PGconn* handle = connection.isOpen() ? postgresHandle(connection) : nullptr;
    return handle != nullptr && driverSharesOurLibpq(*connection.driver()) ? handle : nullptr;
}

QSqlError postgresError(PGconn* connection, const PGresult* result, const char* driverText)
{
    const QString state = QString::fromLatin1(result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr);
    QString message = QString::fromUtf8(PQerrorMessage(connection));
    if (!state.isEmpty())
        message += QStringLiteral("(%1)").arg(state);
    return QSqlError(QStringLiteral("QPSQL: ") + QLatin1String(driverText), message, QSqlError::StatementError,
                     state);
}

namespace {

using Result = std::unique_ptr<PGresult, void (*)(PGresult*)>;

// Type identifiers of the server's catalogue, as the driver sorts them.
enum TypeOid : Oid {
    kBoolOid = 16, kByteaOid = 17, kInt8Oid = 20, kInt2Oid = 21, kInt4Oid = 23, kRegprocOid = 24,
    kXidOid = 28, kCidOid = 29, kFloat4Oid = 700, kFloat8Oid = 701, kAbstimeOid = 702,
    kReltimeOid = 703, kDateOid = 1082, kTimeOid = 1083, kTimestampOid = 1114, kTimestampTzOid = 1184,
    kTimeTzOid = 1266, kNumericOid = 1700,
};

// What the driver makes of a column, by its type: an oid, say, is a text.
enum class FieldKind { Bool, Int, Int8, Numeric, Float, Date, Time, DateTime, Bytes, Text };

FieldKind kindOf(Oid type)
{
    switch (type) {
    case kBoolOid: return FieldKind::Bool;
    case kInt8Oid: return FieldKind::Int8;
    case kInt2Oid: case kInt4Oid: case kRegprocOid: case kXidOid: case kCidOid: return FieldKind::Int;
    case kNumericOid: return FieldKind::Numeric;
    case kFloat4Oid: case kFloat8Oid: return FieldKind::Float;
    case kAbstimeOid: case kReltimeOid: case kDateOid: return FieldKind::Date;
    case kTimeOid: case kTimeTzOid: return FieldKind::Time;
    case kTimestampOid: case kTimestampTzOid: return FieldKind::DateTime;
    case kByteaOid: return FieldKind::Bytes;
    default: return FieldKind::Text;
    }
}

QMetaType metaTypeOf(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Bool: return QMetaType::fromType<bool>();
    case FieldKind::Int: return QMetaType::fromType<int>();
    case FieldKind::Int8: return QMetaType::fromType<qlonglong>();
    case FieldKind::Numeric: case FieldKind::Float: return QMetaType::fromType<double>();
    case FieldKind::Date: return QMetaType::fromType<QDate>();
    case FieldKind::Time: return QMetaType::fromType<QTime>();
    case FieldKind::DateTime: return QMetaType::fromType<QDateTime>();
    case FieldKind::Bytes: return QMetaType::fromType<QByteArray>();
    case FieldKind::Text: break;
    }
    return QMetaType::fromType<QString>();
}

// A whole number's text as the driver reads it; 0 for what is not one, as atoi and QByteArray do.
template <class Number>
Number wholeNumber(std::string_view text)
{
    Number number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

// A number's text as the driver reads it: the double nearest to it, the server's names of NaN and
// the infinities, and nothing for a text beyond a double's range (the driver then gives an
// invalid value). Most texts are read without Qt; the rest the way the driver reads them.
std::optional<double> realNumber(std::string_view text)
{
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error == std::errc() && end == text.data() + text.size())
        return number;
    bool ok = false;
    number = QByteArray::fromRawData(text.data(), qsizetype(text.size())).toDouble(&ok);
    if (ok)
        return number;
    const QByteArray name = QByteArray::fromRawData(text.data(), qsizetype(text.size()));
    if (name.compare("NaN", Qt::CaseInsensitive) == 0)
        return std::numeric_limits<double>::quiet_NaN();
    if (name.compare("Infinity", Qt::CaseInsensitive) == 0)
        return std::numeric_limits<double>::infinity();
    if (name.compare("-Infinity", Qt::CaseInsensitive) == 0)
        return -std::numeric_limits<double>::infinity();
    return std::nullopt;
}

// A double cut to a whole number as the driver's cast does on this processor: NaN and values out
// of range become the type's lowest value.
template <class Whole>
Whole truncated(double number)
{
    constexpr double kLimit = -double(std::numeric_limits<Whole>::min()); // 2^31 or 2^63, exact
    if (!(number > -kLimit - 1 && number < kLimit))
        return std::numeric_limits<Whole>::min();
    return Whole(number);
}

// A timestamp read in its own offset when it has one (completed to the ISO form), and shown in
// local time; a text too short to be one (the infinities) is no time.
QDateTime dateTimeOf(std::string_view text)
{
    constexpr qsizetype kShortestTimestamp = 10;
    constexpr qsizetype kHourOffset = 3; // "+hh" at the end
    QString written = QString::fromLatin1(text.data(), qsizetype(text.size()));
    if (written.size() < kShortestTimestamp)
        return QDateTime();
    const QChar sign = written.at(written.size() - kHourOffset);
    if (sign == u'-' || sign == u'+')
        written += QLatin1String(":00");
    return QDateTime::fromString(written, Qt::ISODate).toLocalTime();
}

QByteArray bytesOf(const char* escaped)
{
    std::size_t length = 0;
    unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(escaped), &length);
    QByteArray copy(reinterpret_cast<const char*>(bytes), qsizetype(length));
    PQfreemem(bytes);
    return copy;
}

// One row of a fetched batch, read as the driver reads its text-format results.
class PostgresRow final : public RowValues {
public:
    PostgresRow(QSql::NumericalPrecisionPolicy policy, bool utf8Texts) : m_policy(policy), m_utf8Texts(utf8Texts) {}

    void setBatch(const PGresult* batch)
    {
        m_batch = batch;
        m_kinds.resize(std::size_t(std::max(PQnfields(batch), 0)));
        for (std::size_t field = 0; field < m_kinds.size(); ++field)
            m_kinds[field] = kindOf(PQftype(batch, int(field)));
    }
    void moveTo(int row) { m_row = row; }

    QVariant value(int field) const override;
    StoredValue stored(int field) const override;

private:
    std::string_view text(int field) const
    {
        return {PQgetvalue(m_batch, m_row, field), std::size_t(PQgetlength(m_batch, m_row, field))};
    }
    QVariant number(FieldKind kind, std::string_view text) const;

    QSql::NumericalPrecisionPolicy m_policy;
    bool m_utf8Texts;
    const PGresult* m_batch = nullptr;
    int m_row = 0;
    std::vector<FieldKind> m_kinds;
};

QVariant PostgresRow::value(int field) const
{
    const FieldKind kind = m_kinds[std::size_t(field)];
    if (PQgetisnull(m_batch, m_row, field))
        return QVariant(metaTypeOf(kind), nullptr);
    const std::string_view written = text(field);
    switch (kind) {
    case FieldKind::Bool:
        return QVariant(written.front() == 't');
    case FieldKind::Int:
        return QVariant(int(wholeNumber<long long>(written)));
    case FieldKind::Int8:
        // The driver reads a positive one as unsigned.
        if (written.front() == '-')
            return QVariant(wholeNumber<qlonglong>(written));
        return QVariant(wholeNumber<qulonglong>(written));
    case FieldKind::Numeric:
    case FieldKind::Float:
        return number(kind, written);
    case FieldKind::Date:
        return QVariant(QDate::fromString(QString::fromLatin1(written.data(), qsizetype(written.size())), Qt::ISODate));
    case FieldKind::Time:
        return QVariant(QTime::fromString(QString::fromLatin1(written.data(), qsizetype(written.size())), Qt::ISODate));
    case FieldKind::DateTime:
        return QVariant(dateTimeOf(written));
    case FieldKind::Bytes:
        return QVariant(bytesOf(written.data()));
    case FieldKind::Text:
        break;
    }
    return QVariant(QString::fromUtf8(written.data(), qsizetype(written.size())));
}

// Floating types are doubles under every policy; numeric follows the policy.
QVariant PostgresRow::number(FieldKind kind, std::string_view written) const
{
    if (kind == FieldKind::Numeric && m_policy == QSql::HighPrecision)
        return QVariant(QString::fromLatin1(written.data(), qsizetype(written.size())));
    const std::optional<double> real = realNumber(written);
    if (!real)
        return QVariant();
    if (kind == FieldKind::Numeric && m_policy == QSql::LowPrecisionInt64)
        return QVariant(qlonglong(truncated<qint64>(*real)));
    if (kind == FieldKind::Numeric && m_policy == QSql::LowPrecisionInt32)
        return QVariant(truncated<qint32>(*real));
    return QVariant(*real);
}

StoredValue PostgresRow::stored(int field) const
{
    StoredValue v;
    if (PQgetisnull(m_batch, m_row, field)) {
        v.kind = StoredValue::Kind::Null;
        return v;
    }
    const FieldKind kind = m_kinds[std::size_t(field)];
    const std::string_view written = text(field);
    switch (kind) {
    case FieldKind::Int:
        v.kind = StoredValue::Kind::Integer;
        v.integer = int(wholeNumber<long long>(written));
        break;
    case FieldKind::Int8:
        v.kind = StoredValue::Kind::Integer;
        v.integer = wholeNumber<qint64>(written);
        break;
    case FieldKind::Numeric:
    case FieldKind::Float: {
        if (kind == FieldKind::Numeric && m_policy == QSql::HighPrecision) {
            v.kind = StoredValue::Kind::Text; // the server's digits, ASCII
            v.text = written;
            break;
        }
        const std::optional<double> real = realNumber(written);
        if (!real)
            break;
        const bool whole = kind == FieldKind::Numeric && m_policy != QSql::LowPrecisionDouble;
        if (!whole) {
            v.kind = StoredValue::Kind::Real;
            v.real = *real;
        } else if (std::isfinite(*real)) {
            v.kind = StoredValue::Kind::Integer;
            v.integer = m_policy == QSql::LowPrecisionInt32 ? truncated<qint32>(*real) : truncated<qint64>(*real);
        }
        break;
    }
    case FieldKind::Text:
        if (m_utf8Texts) {
            v.kind = StoredValue::Kind::Text;
            v.text = written;
        }
        break;
    default:
        break;
    }
    return v;
}

// The server checks every text against its encoding and converts it to the client's, except a
// database of SQL_ASCII, which passes any bytes on.
bool textsAreUtf8(PGconn* connection)
{
    static const int utf8 = pg_char_to_encoding("UTF8");
    const char* server = PQparameterStatus(connection, "server_encoding");
    return PQclientEncoding(connection) == utf8 && server && qstrcmp(server, "SQL_ASCII") != 0;
}

// Rows per FETCH: a batch of about kBatchBytes, within these bounds.
constexpr int kMinBatchRows = 256;
constexpr int kMaxBatchRows = 32768;
constexpr qint64 kBatchBytes = 4 << 20;
constexpr int kSampledRows = 64; // every 64th row's width stands for its neighbours'

// The rows a batch of about kBatchBytes holds, judged by `batch`.
int nextBatchRows(const PGresult* batch)
{
    const int rows = PQntuples(batch), fields = PQnfields(batch);
    qint64 bytes = 0, sampled = 0;
    for (int row = 0; row < rows; row += kSampledRows, ++sampled) {
        for (int field = 0; field < fields; ++field)
            bytes += PQgetlength(batch, row, field) + 1;
    }
    const qint64 perRow = sampled > 0 ? std::max<qint64>(1, bytes / sampled) : 1;
    return int(std::clamp<qint64>(kBatchBytes / perRow, kMinBatchRows, kMaxBatchRows));
}

// A forward cursor over the statement, planned as the statement on its own would be (for every
// row, not the first tenth a cursor is planned for by default). The read-only scope's ending
// clears it, should reading stop early.
class Cursor {
public:
    Cursor(PGconn* connection, const QString& statement)
        : m_connection(connection), m_statement(statement), m_name(uniqueName())
    {
        run("SET LOCAL cursor_tuple_fraction = 1");
        const QByteArray declare = "DECLARE " + m_name + " NO SCROLL CURSOR FOR " + statement.toUtf8();
        // The extended protocol takes one statement only, as the scope's check did.
        run(declare.constData(), true);
    }

    Result fetch(int rows)
    {
        const QByteArray fetch = "FETCH FORWARD " + QByteArray::number(rows) + " FROM " + m_name;
        Result batch(PQexec(m_connection, fetch.constData()), PQclear);
        if (PQresultStatus(batch.get()) != PGRES_TUPLES_OK)
            throw databaseFailure(postgresError(m_connection, batch.get(), "Unable to get result"), m_statement);
        return batch;
    }

    void close() { run(("CLOSE " + m_name).constData()); }

private:
    static QByteArray uniqueName()
    {
        static QAtomicInteger<quint32> made;
        return "tessaro_rows_" + QByteArray::number(made.fetchAndAddRelaxed(1));
    }

    void run(const char* command, bool extended = false)
    {
        Result result(extended ? PQexecParams(m_connection, command, 0, nullptr, nullptr, nullptr, nullptr, 0)
                               : PQexec(m_connection, command),
                      PQclear);
        if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
            throw databaseFailure(postgresError(m_connection, result.get()), m_statement);
    }

    PGconn* m_connection;
    const QString& m_statement;
    QByteArray m_name;
};

// Skips blanks, comments and opening brackets; returns the first word, upper-cased.
QString firstWord(const QString& statement)
{
    static const QRegularExpression lead(QStringLiteral(
        R"(^(?:\s+|--[^\n]*(?:\n|$)|/\*(?:[^*]|\*(?!/))*\*/|\()*([A-Za-z]+))"));
    return lead.match(statement).captured(1).toUpper();
}

} // namespace

bool takesCursor(const QString& statement)
{
    const QString word = firstWord(statement);
    if (word == QLatin1String("SELECT") || word == QLatin1String("VALUES") || word == QLatin1String("TABLE"))
        return true;
    // A cursor refuses a WITH that writes, in words other than the read-only transaction's.
    static const QRegularExpression writes(QStringLiteral(R"(\b(?:INSERT|UPDATE|DELETE|MERGE)\b)"),
                                           QRegularExpression::CaseInsensitiveOption);
    return word == QLatin1String("WITH") && !writes.match(statement).hasMatch();
}

std::optional<qint64> readWithPostgres(ReadOnlyQuery& run, qint64 maxRows, const RowVisitor& visit)
{
    PGconn* connection = sharedPostgresHandle(run.connection());
    if (connection == nullptr || PQtransactionStatus(connection) != PQTRANS_INTRANS || !takesCursor(run.statement()))
        return std::nullopt;
    Cursor cursor(connection, run.statement());
    PostgresRow row(run.connection().driver()->numericalPrecisionPolicy(), textsAreUtf8(connection));
    qint64 handed = 0;
    int batchRows = kMinBatchRows;
    while (handed < maxRows) {
        const int asked = int(std::min<qint64>(batchRows, maxRows - handed));
        const Result batch = cursor.fetch(asked);
        const int rows = PQntuples(batch.get());
        row.setBatch(batch.get());
        for (int at = 0; at < rows; ++at, ++handed) {
            row.moveTo(at);
            visit(row);
        }
        if (rows < asked)
            break;
        batchRows = nextBatchRows(batch.get());
    }
    cursor.close();
    return handed;
}

} // namespace tessaro::sql
