#pragma once

// The paged view's baseline on every database: what a developer would write by hand, a count of
// the rows, then one page of them read with LIMIT and OFFSET; or the first page alone, the least
// any paged view can do.

#include "Cases.h"

#include <QString>

namespace bench {

/// As many rows as the control's page shows at the cases' window size.
constexpr int kHandPageRows = 30;

struct HandPaging {
    QString count; ///< the count statement
    QString page;  ///< the page statement: %1 stands for its row limit, %2 for its offset
    int fields;    ///< the fields of each row, every one read
};

/// Times the count and the first page.
void timeCountAndPage(const HandPaging& paging, const QString& database, const Timed& timed);
/// Times the first page alone, without a count.
void timeFirstPage(const HandPaging& paging, const QString& database, const Timed& timed);
/// The same, read once before it is timed.
void timeFirstPageAgain(const HandPaging& paging, const QString& database, const Timed& timed);
/// Counts, then times the read of the last page.
void timeLastPage(const HandPaging& paging, const QString& database, const Timed& timed);

} // namespace bench
