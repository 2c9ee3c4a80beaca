#pragma once

// Whether a Qt SQL driver runs on the very client library this one links. A driver with its own
// copy (SQLite built in, another libpq) hands over handles that only that copy can use.

class QSqlDriver;

namespace tessaro::sql {

/// True when the binary holding `driver`'s class resolves `symbol` to `ours`, the address of the
/// same function in this library. Asked once per driver class and function; false on platforms
/// where a binary cannot be asked (the caller then reads through Qt's query).
bool driverCallsOurs(const QSqlDriver& driver, const char* symbol, const void* ours);

} // namespace tessaro::sql
