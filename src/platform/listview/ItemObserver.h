#pragma once

// What the item storage tells the list around it, and asks of it.

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
    virtual void itemVisibilityRequested(ListItem& item) = 0;
    /// Someone is about to read positions in the list: a pending order must be applied now.
    virtual void orderNeeded() = 0;
    virtual int columnCount() const = 0;
    virtual double rowHeightTwips() const = 0;

protected:
    ItemObserver() = default;
    ItemObserver(const ItemObserver&) = default;
    ItemObserver& operator=(const ItemObserver&) = default;
};

} // namespace tessaro::listview
