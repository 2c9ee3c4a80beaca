#pragma once

// The control's result set and the page of it the list shows.

#include <tessaro/Recordset.h>

#include <functional>
#include <memory>

namespace tessaro::sql {

/// `set`, created closed when it holds nothing: the control uses an empty set as a closed one.
inline Recordset& currentRecordset(std::shared_ptr<Recordset>& set)
{
    if (!set)
        set = std::make_shared<Recordset>();
    return *set;
}

/// The set the host sees (Tessaro::rst), asked for at each use: the host may replace it at any
/// time. `set` is given by the control and never yields.
struct ResultHolder {
    std::function<std::shared_ptr<Recordset>&()> set;
    /// The page the list shows: `size` rows a page, 1-based `number`, `paged` when it shows one page.
    struct Page {
        int size = 0;
        int number = 0;
        bool paged = false;
    } page;

    /// While the control shows the rows sorted by the database: the set in the query's order it
    /// returns to, and the sorted set it made (the host may have replaced it since).
    std::shared_ptr<Recordset> queryOrder;
    std::weak_ptr<Recordset> sorted;

    Recordset& current() { return currentRecordset(set()); }
};

} // namespace tessaro::sql
