#pragma once

#include <tessaro/Error.h>

#include <QLoggingCategory>
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
};

/// The data-access error `number` with its English description.
Error resultSetError(int number);

/// A database failure as an Error: the driver's native code when it is a number (SQLite's result
/// codes), else the generic provider failure number; the database's own message when it gave one,
/// else the driver's.
Error databaseError(const QSqlError& error);

/// Database failures, logged as warnings with the statement that failed ("tessaro.sql").
Q_DECLARE_LOGGING_CATEGORY(lcSql)

/// A database failure as the result set raises it: the Error of databaseError(), with the
/// database's own error kept for the host (Recordset::LastDatabaseError).
class DatabaseFailure : public Error {
public:
    explicit DatabaseFailure(const QSqlError& error);
    const QSqlError& sqlError() const { return m_sqlError; }

private:
    QSqlError m_sqlError;
};

/// `error`, raised by `statement`, logged in lcSql and made a DatabaseFailure to throw.
DatabaseFailure databaseFailure(const QSqlError& error, const QString& statement);

} // namespace tessaro::sql
