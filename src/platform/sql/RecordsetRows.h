#pragma once

#include "platform/sql/Rows.h"

#include <functional>
#include <limits>
#include <memory>
#include <optional>

namespace tessaro {
class Recordset;
}

namespace tessaro::sql {

/// A run of a Recordset's rows handed on whole, for a reader of many rows (a list being filled)
/// that would otherwise walk them with MoveNext and Fields one at a time.
class RecordsetRows {
public:
    /// The longest run read through the cursor's cached blocks: a page that fits on a screen, whose
    /// blocks then serve the pages around it. A longer run is read in one pass with nothing kept.
    static constexpr int kLongestCachedRun = 1024;

    /// Hands up to `maxRows` rows from the cursor's row on to `visit`; the cursor moves past each
    /// row once `visit` returns, so it stands on the failing row when `visit` throws and after the
    /// last row handed otherwise. Fails with 3704 on a closed set, or with the database's error.
    static void readOn(Recordset& set, int maxRows, const RowVisitor& visit);
    /// Hands the rows from row `position` (from 0) on, at most `maxRows`, to `visit`, in one
    /// forward-only pass that keeps nothing and leaves the cursor where it stands; returns how
    /// many it handed. Fails as readOn() does, or with what `visit` throws.
    static qint64 readAt(const Recordset& set, qint64 position, int maxRows, const RowVisitor& visit);
    /// A new set of the same rows ordered by `field` (from 1) by the database, the key breaking
    /// ties (see ResultSource::sorted), at this set's page size, its first page read; the count
    /// is carried over.
    static std::shared_ptr<Recordset> sorted(const Recordset& set, int field, bool descending);
    /// readOn() to the end of the rows, however many there are: no count is waited for.
    static constexpr int kAllRows = std::numeric_limits<int>::max();

    // The count beside the window, shared by the set's clones. A closed set has none: these do
    // nothing on it and know nothing of it.
    /// Starts counting beside unless the count is known or running; `landed` is called on the UI
    /// thread when the planner's estimate arrives and once the count is in (RecordCount() then
    /// no longer waits) or failed.
    static void countBeside(const Recordset& set, std::function<void()> landed);
    /// Cancels the count beside; a later RecordCount() counts on the set's own connection.
    static void stopCounting(const Recordset& set);
    /// The count when it is known without waiting.
    static std::optional<qint64> knownCount(const Recordset& set);
    /// The rows known to exist so far (the count once it is known).
    static qint64 rowsKnown(const Recordset& set);
    /// The database planner's estimate of the count, once the count beside has it.
    static std::optional<qint64> estimatedCount(const Recordset& set);
    /// `page` (from 1) at the set's page size, or its last page when there are fewer: a page
    /// whose first row has been read is there without waiting for the count.
    static int atMostLastPage(const Recordset& set, int page);
    /// Whether the count beside has answered, with the count or a failure.
    static bool countSettled(const Recordset& set);
};

} // namespace tessaro::sql
