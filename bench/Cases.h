#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace bench {

/// Runs `work` under the clock; a case calls it once around the operation it measures.
using Timed = std::function<void(const std::function<void()>& work)>;

/// One measured operation, run in a process of its own so that its peak memory is its own.
/// `run` gets the database path, does untimed preparation, then calls `timed` around the work.
struct Case {
    QString name;
    std::function<void(const QString& database, const Timed& timed)> run;
};

/// A line of the report: Tessaro's case beside the plain-Qt baseline, at each table size.
struct Comparison {
    QString title;
    QString ours;
    QString baseline;
    std::vector<qint64> rows;
};

/// Registration from each cases file, at start-up:
///   static const bool registered = bench::registerCases({...}, {...});
bool registerCases(std::vector<Case> cases, std::vector<Comparison> comparisons);

const Case* findCase(const QString& name);
const std::vector<Comparison>& comparisons();

} // namespace bench
