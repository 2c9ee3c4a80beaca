#pragma once

// Finding over every row of the result: the page that holds the next match.

#include "platform/controls/WholeRows.h"

#include <optional>

namespace tessaro {

class LoadPacer;
class LikePattern;

namespace search {

/// Asks `rows` for the cells of a column and paces the scan with `pacer`, which must outlive it.
class WholeFind {
public:
    WholeFind(WholeRows rows, LoadPacer& pacer) : m_rows(std::move(rows)), m_pacer(pacer) {}

    bool active() const { return m_rows.active(); }

    /// The page (from 1) of the first row after the current page whose cell in `column` matches
    /// `pattern`, wrapping round to the first row and on to the end of the current page; nothing
    /// when no row matches or the user stopped the scan (`stopped`: the control may then be gone).
    std::optional<int> nextPageWithMatch(int column, const LikePattern& pattern, bool& stopped);
    /// Shows `page` as a page move does; the control may be gone after it.
    void showPage(int page) { m_rows.showPage(page); }
    /// The page bar shows the page again after the progress of a stopped scan.
    void scanEnded() { m_rows.scanEnded(); }

private:
    WholeRows m_rows;
    LoadPacer& m_pacer;
};

} // namespace search
} // namespace tessaro
