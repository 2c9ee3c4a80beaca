#pragma once

// Member state of one Tessaro instance: its settings and result set, the list, and one object
// per feature. Each feature builds its child controls in the control and owns its connections;
// the constructor makes them in creation order, which is also the stacking and tab order.

#include <tessaro/Tessaro.h>

#include "control/HeaderPanel.h"
#include "control/ChildrenFit.h"
#include "control/RememberedSettings.h"
#include "data/Loader.h"
#include "language/LanguageKeys.h"
#include "paging/PageBar.h"
#include "platform/controls/ControlParts.h"
#include "platform/controls/LoadPacer.h"
#include "platform/controls/WholeRows.h"
#include "platform/sql/ResultHolder.h"
#include "search/ListEvents.h"
#include "search/SearchPanel.h"
#include "totals_export/TotalsExport.h"

#include <memory>

namespace tessaro {

struct TessaroPrivate {
    /// Builds every child control of `q` as designed; a new instance starts empty, zero and False.
    explicit TessaroPrivate(Tessaro& q);
    Tessaro& q;
    /// The control's objects as the features ask for them: the public members read at each call.
    ControlParts parts() const;

    /// In the paged view, reloads the current page when the rows that fit the list changed
    /// (raising PopulatedList), then redraws the page bar of an open set. The control may be
    /// gone after it.
    void refitPage();
    /// Sets the page size to the rows that fit and reloads the page when that changed; whether
    /// it did. The control may be gone after it.
    bool fitPageToRows();
    /// The rows a page holds at the control's present size, read from its size rather than the
    /// list's, which a control not yet shown has not taken.
    int pageRowsAtSize() const noexcept;
    /// Names the commands of the list's own menus (Copy, its scroll bars') in the words `text`
    /// gives each key.
    void nameListCommands(QString (*text)(LanguageKey));

    /// WholeResult: whether it is on and applies now (paged, an open set, columns).
    bool wholeResult = false;
    bool showsWholeResult();
    /// The whole result as the features ask for it.
    WholeRows wholeRows();
    /// A header click with the whole result: the database sorts every row, page 1 shows. The
    /// control may be gone after it.
    void sortWholeResult(int column, bool descending);
    /// Back to the set in the query's order, unless the host replaced the sorted set.
    void returnToQueryOrder();

    data::LoadSettings settings;
    sql::ResultHolder results{parts().resultSet, {}, {}, {}};
    int MousePointer = 0;
    tessaro::ListView* lstv = nullptr; // a child of q, as every control the features build
    LoadPacer pacer{q};                 // outlives the features that use it
    std::unique_ptr<RememberedSettings> remembered;
    std::unique_ptr<HeaderPanel> header;
    std::unique_ptr<search::SearchPanel> search;
    std::unique_ptr<totals_export::TotalsExport> totals;
    std::unique_ptr<search::ListEvents> listEvents;
    std::unique_ptr<paging::PageBar> pageBar;
    std::unique_ptr<data::Loader> loader;
};

} // namespace tessaro
