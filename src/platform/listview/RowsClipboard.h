#pragma once

// The selected rows of a list as a spreadsheet takes them from the clipboard.

#include <memory>

class QHeaderView;
class QMimeData;

namespace tessaro::listview {

class ListCore;

/// The selected rows, in list order, under a heading line of the column captions: as text/plain
/// with a tab between cells and a line feed after every line, and as text/html (a table with <th>
/// headings, escaped). Only the columns the header shows take part. A cell is its whole text
/// trimmed of the blanks that pad numbers, a tab or line break inside it made one blank, so that
/// every value lands in a cell of its own and numbers stay numbers. nullptr when no row is
/// selected. The caller settles the list's order and selection first.
std::unique_ptr<QMimeData> selectedRowsData(ListCore& core, const QHeaderView& header);

} // namespace tessaro::listview
