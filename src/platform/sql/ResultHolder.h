#pragma once

// The control's result set and the page of it the list shows.

#include <tessaro/Recordset.h>

#include <memory>

namespace tessaro::sql {

/// `set`, created closed when it holds nothing: the control uses an empty set as a closed one.
inline Recordset& currentRecordset(std::shared_ptr<Recordset>& set)
{
    if (!set)
        set = std::make_shared<Recordset>();
    return *set;
}

/// Refers to the set the host sees (Tessaro::rst); the host may replace it at any time.
struct ResultHolder {
    std::shared_ptr<Recordset>& set;
    /// The page the list shows: `size` rows a page, 1-based `number`, `paged` when it shows one page.
    struct Page {
        int size = 0;
        int number = 0;
        bool paged = false;
    } page;

    Recordset& current() { return currentRecordset(set); }
};

} // namespace tessaro::sql
