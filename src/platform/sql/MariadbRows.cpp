#include "platform/sql/MariadbRows.h"

#include "platform/sql/DatabaseError.h"
#include "platform/sql/DriverLibrary.h"
#include "platform/sql/MariadbRow.h"
#include "platform/sql/ReadOnlyScope.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>

#include <memory>

#include <mysql.h>

namespace tessaro::sql {

namespace {

using mariadb::MariadbRow;
using Result = std::unique_ptr<MYSQL_RES, void (*)(MYSQL_RES*)>;

MYSQL* mariadbHandle(const QSqlDatabase& connection)
{
    const QSqlDriver* driver = connection.driver();
    if (driver == nullptr || driver->dbmsType() != QSqlDriver::MySqlServer)
        return nullptr;
    const QVariant handle = driver->handle();
    // MYSQL is a typedef of struct st_mysql: Qt may name the type by either.
    if (!handle.isValid() || (qstrcmp(handle.typeName(), "MYSQL*") != 0 && qstrcmp(handle.typeName(), "st_mysql*") != 0))
        return nullptr;
    return *static_cast<MYSQL* const*>(handle.constData());
}

// A failure in the words Qt's driver uses for its own, the server's error number its native code.
QSqlError mariadbError(MYSQL* connection, const char* driverText)
{
    return QSqlError(QStringLiteral("QMYSQL: ") + QLatin1String(driverText), QString::fromUtf8(mysql_error(connection)),
                     QSqlError::StatementError, QString::number(mysql_errno(connection)));
}

// Qt's driver asks the server for UTF-8 (utf8mb4, or utf8 on older servers) and decodes every text
// as such; under any other character set the texts go through value().
bool textsAreUtf8(MYSQL* connection)
{
    const char* name = mysql_character_set_name(connection);
    return name != nullptr && qstrncmp(name, "utf8", 4) == 0;
}

} // namespace

MYSQL* sharedMariadbHandle(const QSqlDatabase& connection)
{
    MYSQL* handle = connection.isOpen() ? mariadbHandle(connection) : nullptr;
    return handle != nullptr
                   && driverCallsOurs(*connection.driver(), "mysql_real_query", reinterpret_cast<const void*>(&mysql_real_query))
               ? handle
               : nullptr;
}

// mysql_use_result streams: the server sends rows as they are read, and freeing the result reads
// and drops what is left, so a throw from `visit` leaves the connection ready for the next statement.
std::optional<qint64> readWithMariadb(const QSqlDatabase& database, ReadOnlyQuery& run, qint64 maxRows,
                                      const RowVisitor& visit)
{
    MYSQL* connection = sharedMariadbHandle(database);
    if (connection == nullptr)
        return std::nullopt;
    const QString& statement = run.statement();
    const QByteArray text = statement.toUtf8();
    if (mysql_real_query(connection, text.constData(), static_cast<unsigned long>(text.size())) != 0)
        throw databaseFailure(mariadbError(connection, "Unable to execute query"), statement);
    const Result result(mysql_use_result(connection), mysql_free_result);
    if (!result)
        throw databaseFailure(mariadbError(connection, "Unable to store result"), statement);
    MariadbRow row(result.get(), database.driver()->numericalPrecisionPolicy(), textsAreUtf8(connection));
    qint64 handed = 0;
    while (MYSQL_ROW next = mysql_fetch_row(result.get())) {
        if (handed == maxRows)
            continue;
        row.readFrom(next, mysql_fetch_lengths(result.get()));
        visit(row);
        ++handed;
    }
    if (mysql_errno(connection) != 0)
        throw databaseFailure(mariadbError(connection, "Unable to fetch data"), statement);
    return handed;
}

} // namespace tessaro::sql
