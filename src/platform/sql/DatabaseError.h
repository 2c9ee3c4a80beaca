#pragma once

#include <tessaro/Error.h>

#include <QSqlError>

namespace tessaro::sql {

// Numbers of the data-access errors the result set and the connection raise.
enum ResultSetError : int {
    ArgumentsOutOfRange = 3001,
    NoCurrentRecord = Error::NoCurrentRecord,
    ItemNotFound = 3265,
    ObjectClosed = Error::ObjectClosed,
    ObjectOpen = 3705,
    ConnectionUnusable = 3709,
    NotSupported = 3251, ///< the result cannot be read that way (a statement read whole, say)
};

/// The data-access error `number` with its English description.
Error resultSetError(int number);

/// A database failure as the result set raises it: the driver's native code when it is a number
/// (SQLite's result codes), else the generic provider failure number; the database's own message
/// when it gave one, else the driver's. The database's own error is kept for the host
/// (Recordset::LastDatabaseError).
class DatabaseFailure : public Error {
public:
    explicit DatabaseFailure(const QSqlError& error);
    const QSqlError& sqlError() const { return m_sqlError; }

private:
    QSqlError m_sqlError;
};

/// `error`, raised by `statement`, logged as a warning with the statement in the category
/// "tessaro.sql", and made a DatabaseFailure to throw.
DatabaseFailure databaseFailure(const QSqlError& error, const QString& statement);

} // namespace tessaro::sql
