#pragma once

#include "platform/sql/ResultSource.h"

namespace tessaro {
class Recordset;
}

namespace tessaro::sql {

/// A long run of a Recordset's rows read in one pass, for a reader of every row (the unpaged
/// list) that would otherwise walk them with MoveNext and Fields one at a time.
class RecordsetRows {
public:
    /// Hands up to `maxRows` rows from the cursor's row on to `visit`; the cursor moves past each
    /// row once `visit` returns, so it stands on the failing row when `visit` throws and after the
    /// last row handed otherwise. Fails with 3704 on a closed set, or with the database's error.
    static void readOn(Recordset& set, int maxRows, const RowVisitor& visit);
};

} // namespace tessaro::sql
