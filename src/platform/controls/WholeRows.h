#pragma once

// What a feature asks of the control to work on every row of the result rather than the page
// the list shows.

#include <QtGlobal>

#include <functional>
#include <string_view>
#include <vector>

namespace tessaro {

/// Told each cell text of a scanned column, with its row (from 0); returns false to stop.
using CellVisitor = std::function<bool(qint64 row, std::string_view text)>;
/// Told the texts of each scanned row, one per list column; returns false to stop.
using RowTextsVisitor = std::function<bool(qint64 row, const std::vector<std::string_view>& cells)>;

/// The whole result as a feature sees it. The texts are those the fill writes in the list's
/// cells (empty for a Null). Every function but `active` is called only while `active` says so;
/// the scans fail with the database's error or what their visitor throws, and a visitor may
/// yield (the set's rows stay until the scan ends).
struct WholeRows {
    std::function<bool()> active; // the host chose the whole result, the view is paged, a set is open
    /// Column `column` of the list (from 0) of at most `maxRows` rows from row `from` (kToTheEnd:
    /// to the end).
    std::function<void(int column, qint64 from, qint64 maxRows, const CellVisitor& visit)> scanColumn;
    static constexpr qint64 kToTheEnd = -1;
    /// Every row from the first.
    std::function<void(const RowTextsVisitor& visit)> scanRows;
    /// The rows a scan of every row is expected to read: the count, else the estimate, else the
    /// rows known to exist; never waits.
    std::function<qint64()> rowsExpected;
    /// The row (from 0) the list's first row is, and the rows a page holds.
    std::function<qint64()> firstShownRow;
    std::function<int()> pageSize;
    /// Shows page `page` (from 1) as a page move does; the control may be gone after it.
    std::function<void(int page)> showPage;
    /// The page bar shows the current page again, after a scan showed its progress there.
    std::function<void()> scanEnded;
};

} // namespace tessaro
