#pragma once

#include <QString>

namespace demo {

/// Where the demo keeps its sample database (created on first run).
QString dataDirectory();

/// Creates the sample orders database at `path` unless it exists; returns false with `error`
/// set when it cannot be written.
bool ensureSampleDatabase(const QString& path, int orders, QString* error);

/// The demo's default query over the sample.
QString sampleQuery();

} // namespace demo
