#include "platform/sql/PostgresConnection.h"

#include "platform/sql/DriverLibrary.h"

#include <QSqlDriver>
#include <QVariant>

#include <libpq-fe.h>

namespace tessaro::sql {

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
    return handle != nullptr && driverCallsOurs(*connection.driver(), "PQexec", reinterpret_cast<const void*>(&PQexec)) ? handle : nullptr;
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

} // namespace tessaro::sql
