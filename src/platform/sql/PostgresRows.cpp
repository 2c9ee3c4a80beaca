#include "platform/sql/PostgresRows.h"

#include "platform/sql/DatabaseError.h"
#include "platform/sql/PostgresConnection.h"
#include "platform/sql/PostgresRow.h"
#include "platform/sql/ReadOnlyScope.h"

#include <QByteArray>
#include <QSqlDriver>

#include <memory>
#include <string_view>

#include <libpq-fe.h>

namespace tessaro::sql {

namespace {

using Result = std::unique_ptr<PGresult, void (*)(PGresult*)>;
using postgres::PostgresRow;
using postgres::readableInBinary;
using postgres::skipBinaryHeader;

// The server checks every text against its encoding and converts it to the client's, except a
// database of SQL_ASCII, which passes any bytes on.
bool textsAreUtf8(PGconn* connection)
{
    static const int utf8 = pg_char_to_encoding("UTF8");
    const char* server = PQparameterStatus(connection, "server_encoding");
    return PQclientEncoding(connection) == utf8 && server && qstrcmp(server, "SQL_ASCII") != 0;
}

// Each row of the statement's result comes as a result of its own: memory holds one row, and
// the rows come as the server sends them, as Qt's forward-only query reads them. Reading through a
// cursor in batches costs the server a copy of every batch (FETCH stores its rows before sending
// them) and this side the pages of each batch. The first result's failure is the statement's;
// a later one is a row's, which Qt's driver words differently.
qint64 readRows(PGconn* connection, QSql::NumericalPrecisionPolicy policy, ReadOnlyQuery& run, qint64 maxRows,
                const RowVisitor& visit)
{
    const QString& statement = run.statement();
    if (PQsendQuery(connection, statement.toUtf8().constData()) == 0)
        throw databaseFailure(postgresError(connection, nullptr, "Unable to send query"), statement);
    PQsetSingleRowMode(connection);
    PostgresRow row(policy, textsAreUtf8(connection));
    qint64 handed = 0;
    const char* failing = "Unable to create query";
    for (PGresult* next; (next = PQgetResult(connection)) != nullptr; failing = "Unable to get result") {
        const Result result(next, PQclear);
        const ExecStatusType status = PQresultStatus(next);
        if (status == PGRES_COMMAND_OK)
            continue;
        if (status != PGRES_SINGLE_TUPLE && status != PGRES_TUPLES_OK)
            throw databaseFailure(postgresError(connection, next, failing), statement);
        row.setKinds(next);
        for (int at = 0, rows = PQntuples(next); at < rows && handed < maxRows; ++at, ++handed) {
            row.readFrom(next, at);
            visit(row);
        }
    }
    return handed;
}

// A COPY stopped by a throw (a reader that has what it wanted, a user who stopped it) is
// cancelled, so that the server stops sending instead of every row being read and dropped; what
// was on its way is read and dropped here: until its end, libpq answers every request for a
// result with the copy itself.
class CopyDrain {
public:
    explicit CopyDrain(PGconn* connection) : m_connection(connection) {}
    ~CopyDrain()
    {
        if (m_connection == nullptr)
            return;
        if (PGcancel* cancel = PQgetCancel(m_connection)) {
            char error[kCancelErrorRoom];
            PQcancel(cancel, error, sizeof error);
            PQfreeCancel(cancel);
        }
        char* line = nullptr;
        while (PQgetCopyData(m_connection, &line, 0) >= 0)
            PQfreemem(line);
        while (PGresult* rest = PQgetResult(m_connection))
            PQclear(rest);
    }
    CopyDrain(const CopyDrain&) = delete;
    CopyDrain& operator=(const CopyDrain&) = delete;
    void finished() { m_connection = nullptr; }

private:
    static constexpr int kCancelErrorRoom = 256; // libpq's own advice for PQcancel's message
    PGconn* m_connection;
};

// The statement's fields, from its description as an unnamed prepared statement.
Result described(PGconn* connection, const QString& statement, const QByteArray& text)
{
    const Result parsed(PQprepare(connection, "", text.constData(), 0, nullptr), PQclear);
    if (PQresultStatus(parsed.get()) != PGRES_COMMAND_OK)
        throw databaseFailure(postgresError(connection, parsed.get()), statement);
    Result description(PQdescribePrepared(connection, ""), PQclear);
    if (PQresultStatus(description.get()) != PGRES_COMMAND_OK)
        throw databaseFailure(postgresError(connection, description.get()), statement);
    return description;
}

// A query streamed through COPY: a row costs one buffer, where a row of its own result costs
// that result, a copy of the field descriptions and the cells' table. Its binary form where every
// field reads the same in it (no digits to parse, no escapes to undo, and the server writes no
// digits either), else its text lines. Fails in the words the row-by-row reading uses: the
// statement's failure before the first row, a row's after it.
qint64 copyRows(PGconn* connection, QSql::NumericalPrecisionPolicy policy, const QString& statement, qint64 maxRows,
                const RowVisitor& visit)
{
    const QByteArray text = statement.toUtf8();
    PostgresRow row(policy, textsAreUtf8(connection));
    const Result description = described(connection, statement, text);
    row.setKinds(description.get());
    bool binary = true;
    for (int field = 0; field < PQnfields(description.get()); ++field)
        binary = binary && readableInBinary(PQftype(description.get(), field));
    // The query on lines of its own: a trailing "-- comment" must not swallow the parenthesis.
    const QByteArray copy = "COPY (\n" + text + "\n) TO STDOUT" + (binary ? " (FORMAT binary)" : "");
    if (PQsendQuery(connection, copy.constData()) == 0)
        throw databaseFailure(postgresError(connection, nullptr, "Unable to send query"), statement);
    const Result started(PQgetResult(connection), PQclear);
    if (PQresultStatus(started.get()) != PGRES_COPY_OUT)
        throw databaseFailure(postgresError(connection, started.get()), statement);
    CopyDrain drain(connection);
    qint64 received = 0;
    qint64 handed = 0;
    const auto take = [&] {
        ++received;
        if (handed < maxRows) {
            visit(row);
            ++handed;
        }
    };
    bool headerRead = false;
    char* message = nullptr;
    for (int length; (length = PQgetCopyData(connection, &message, 0)) >= 0;) {
        const std::unique_ptr<char, void (*)(void*)> owned(message, PQfreemem);
        if (!binary) {
            if (row.readCopyLine(message, std::size_t(length)))
                take();
            continue;
        }
        // Every row comes in a message of its own, the header before the first.
        const char* at = message;
        const char* const end = message + length;
        if (!headerRead && !(headerRead = skipBinaryHeader(at, end)))
            continue;
        while (at < end && row.readBinaryRow(at, end) == PostgresRow::BinaryRead::Row)
            take();
    }
    drain.finished();
    const Result ended(PQgetResult(connection), PQclear);
    if (PQresultStatus(ended.get()) != PGRES_COMMAND_OK)
        throw databaseFailure(postgresError(connection, ended.get(), received == 0 ? "Unable to create query" : "Unable to get result"),
                              statement);
    return handed;
}

} // namespace

std::optional<qint64> readWithPostgres(const QSqlDatabase& database, ReadOnlyQuery& run, qint64 maxRows,
                                       const RowVisitor& visit, PostgresStatement form)
{
    PGconn* connection = sharedPostgresHandle(database);
    // Only in the read-only scope's transaction, with nothing else under way.
    if (connection == nullptr || PQtransactionStatus(connection) != PQTRANS_INTRANS)
        return std::nullopt;
    const QSql::NumericalPrecisionPolicy policy = database.driver()->numericalPrecisionPolicy();
    // COPY's lines are split at ASCII bytes, which in UTF-8 never occur inside a character.
    static const int utf8 = pg_char_to_encoding("UTF8");
    if (form == PostgresStatement::Subquery && PQclientEncoding(connection) == utf8)
        return copyRows(connection, policy, run.statement(), maxRows, visit);
    return readRows(connection, policy, run, maxRows, visit);
}

} // namespace tessaro::sql
