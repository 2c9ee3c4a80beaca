#pragma once

#include <QString>
#include <functional>

namespace bench {

/// One measured operation, run in a process of its own so that its peak memory is its own.
/// `run` gets the database path, does untimed preparation, then calls `timed` around the work
/// to measure.
struct Case {
    QString name;
    std::function<void(const QString& database, const std::function<void(const std::function<void()>&)>& timed)> run;
};

/// The cases, by name.
const Case* findCase(const QString& name);

} // namespace bench
