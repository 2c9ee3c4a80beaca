#pragma once

// The connection operations the control calls on the host's QSqlDatabase. A QSqlDatabase is a
// handle: these act on the connection it names, shared with the host and every copy.

#include <QSqlDatabase>

namespace tessaro {

/// Opens the connection again with its own settings. Fails with 3705 when it is open, or with
/// the driver's error (the connection stays closed).
void connectionOpen(QSqlDatabase& connection);

/// Fails with 3704 when the connection is closed.
void connectionClose(QSqlDatabase& connection);

} // namespace tessaro
