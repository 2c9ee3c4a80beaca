#pragma once

#include "platform/sql/Rows.h"

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
};

} // namespace tessaro::sql
