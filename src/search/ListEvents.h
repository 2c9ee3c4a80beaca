#pragma once

// What the list does on its own when clicked or typed at: sorting by a column, removing rows,
// and telling the host about clicked items.

#include <QObject>

#include <functional>

namespace tessaro {

class ColumnHeader;
class ListItem;
class ListView;

namespace search {

/// The host's side of the list's clicks: each is called only while the list holds items.
struct ListEventsHost {
    std::function<void(ListItem*)> itemClicked;       // the clicked item
    std::function<void(ListItem*)> itemDoubleClicked; // the selected item (Enter: the current one), or nullptr
    std::function<bool()> sortsWholeResult;             // a header click has every row sorted
    std::function<void(int column, bool descending)> sortWholeResult; // may yield and destroy the control
};

/// Handles the list's ColumnClick, ItemClick, DblClick and KeyUp, and Enter on a row; the
/// connections end when it is destroyed.
class ListEvents : public QObject {
    Q_OBJECT

public:
    ListEvents(ListView& list, ListEventsHost host);

    /// Sorts by the column, in the order opposite to the list's current one; a date column sorts
    /// in time order. Does nothing on an empty list. When the host sorts the whole result, the
    /// list only takes the new SortKey and SortOrder, presorted, and the host sorts once the
    /// event loop runs again.
    void lstv_ColumnClick(ColumnHeader* ColumnHeader);
    void lstv_ItemClick(ListItem* Item);
    void lstv_DblClick();
    /// Enter (Return or the keypad's) on the current row tells the host as a double click on it.
    void lstv_EnterKey(ListItem* Item);
    /// Delete removes the selected rows from the list (not from the database).
    void lstv_KeyUp(int KeyCode, int Shift);

private:
    void itemDoubleClicked(ListItem* item);

    ListView& m_list;
    ListEventsHost m_host;
};

} // namespace search
} // namespace tessaro
