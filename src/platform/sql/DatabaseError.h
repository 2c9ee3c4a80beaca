#pragma once

#include <tessaro/Error.h>

class QSqlError;

namespace tessaro::sql {

// Numbers of the data-access errors the result set and the connection raise.
enum AdoError : int {
    ArgumentsOutOfRange = 3001,
    NoCurrentRecord = Error::NoCurrentRecord,
    ItemNotFound = 3265,
    ObjectClosed = Error::ObjectClosed,
    ObjectOpen = 3705,
    ConnectionUnusable = 3709,
};

/// The data-access error `number` with its classic English description.
Error adoError(int number);

/// A database failure as an Error: the driver's native code when it is a number (SQLite's result
/// codes), else the generic provider failure number; the database's own message when it gave one,
/// else the driver's.
Error databaseError(const QSqlError& error);

} // namespace tessaro::sql
