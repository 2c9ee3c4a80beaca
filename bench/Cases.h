#pragma once

#include <QString>
#include <functional>
#include <optional>
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

/// Where a comparison's cases read their rows: a generated SQLite file, or a generated table in
/// a PostgreSQL cluster or a MariaDB server the run starts for itself (skipped where the server
/// programs are missing).
enum class Store { Sqlite, Postgres, Mariadb };

/// A line of the report: Tessaro's case beside the plain-Qt baseline, at each table size. With
/// an empty baseline the line shows instead what the case found (reportFinding), median of runs.
/// An `onRequest` line is too slow for every run: it runs at a size only when the run's filter
/// names that size ("50M"), so its title names its size too.
struct Comparison {
    QString title;
    QString ours;
    QString baseline;
    std::vector<qint64> rows;
    Store store = Store::Sqlite;
    bool onRequest = false;
};

/// What a case found beyond its time and memory: one figure (its unit in the comparison's
/// title) and a note on how it arose. A case calls it at most once, after its timed work.
struct Finding {
    double figure = 0;
    QString note;
};
void reportFinding(const Finding& finding);
/// The finding this process's case reported, if any.
std::optional<Finding> reportedFinding();

/// Registration from each cases file, at start-up:
///   static const bool registered = bench::registerCases({...}, {...});
bool registerCases(std::vector<Case> cases, std::vector<Comparison> comparisons);

const Case* findCase(const QString& name);
const std::vector<Comparison>& comparisons();

} // namespace bench
