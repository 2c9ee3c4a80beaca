#include "platform/sql/Connection.h"

#include "platform/sql/DatabaseError.h"

#include <QSqlError>

namespace tessaro {

void connectionOpen(QSqlDatabase& connection)
{
    if (connection.isOpen())
        throw sql::resultSetError(sql::ObjectOpen);
    if (!connection.open())
        throw sql::databaseFailure(connection.lastError(), QString());
}

void connectionClose(QSqlDatabase& connection)
{
    if (!connection.isOpen())
        throw sql::resultSetError(sql::ObjectClosed);
    connection.close();
}

} // namespace tessaro
