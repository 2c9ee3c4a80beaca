#pragma once

// What the item store tells the list above it, and asks of it: the store knows nothing more of
// the list, as a header knows only its HeaderObserver.

namespace tessaro {
class ListItem;
}

namespace tessaro::listview {

class ItemObserver {
public:
    virtual ~ItemObserver() = default;
    /// The text, icon or check state shown in `column` (0-based) of `item` changed.
    virtual void itemChanged(ListItem& item, int column) = 0;
    /// Code changed the item's selection flag; the view follows later.
    virtual void itemSelectionChanged(ListItem& item) = 0;
    /// Code asked for `item` to be scrolled into view.
    virtual void itemVisibilityRequested(ListItem& item) = 0;
    /// The columns the list has: an item holds at most one cell fewer.
    virtual int headerCount() const = 0;
    virtual double rowHeightTwips() const = 0;
    /// Puts the list order in its sorted state before an item's position is read.
    virtual void settleOrder() = 0;

protected:
    ItemObserver() = default;
    ItemObserver(const ItemObserver&) = default;
    ItemObserver& operator=(const ItemObserver&) = default;
};

} // namespace tessaro::listview
