#pragma once

// The state behind a ListView: items, headers, sort state, icons and the selection flags, and
// the glue that keeps the Qt model, header bar and selection model in step with them.
//
// The items' selection flags are the truth. Code that selects items only flags them; the flags
// reach the selection model in one pass at the next turn of the event loop, or before the view
// paints or handles input (Qt's selection model slows down badly with many separate ranges
// built one call at a time). The user's own selections flow back into the flags at once.
//
// Items added while the list is Sorted are put in order lazily, once, before positions are next
// read (Item(i), iteration, Index(), the selected item, scrolling, painting, input), or at the
// next turn of the event loop: a fill that adds a million rows then sorts once, not per row. Until
// then the model lists them where they were added, and the reorder is announced like any other.

#include "platform/listview/HeaderObserver.h"
#include "platform/listview/ItemObserver.h"
#include "platform/listview/ItemStore.h"

#include <tessaro/ColumnHeader.h>
#include <tessaro/ImageList.h>
#include <tessaro/ListItem.h>

#include <QIcon>
#include <QItemSelection>
#include <QTableView>

#include <memory>
#include <vector>

namespace tessaro::listview {

class ListModel;

class ListCore final : public HeaderObserver, public ItemObserver {
public:
    explicit ListCore(QTableView& view);
    ~ListCore() override;
    ListCore(const ListCore&) = delete;
    ListCore& operator=(const ListCore&) = delete;

    ItemStore& store() { return m_store; }
    ListModel& model() { return *m_model; }
    tessaro::ListItems& items() { return m_items; }
    tessaro::ColumnHeaders& headers() { return m_headers; }

    // Headers, counted from 0.
    ColumnHeader* addHeader(const QString& text, double widthTwips);
    void removeHeader(int column);
    void clearHeaders();
    int headerCount() const override { return static_cast<int>(m_headerOrder.size()); }
    ColumnHeader* header(int column) const { return m_headerOrder[static_cast<std::size_t>(column)]; }
    ColumnHeader* const* headersBegin() const { return m_headerOrder.data(); }
    ColumnHeader* const* headersEnd() const { return m_headerOrder.data() + m_headerOrder.size(); }
    /// The user dragged a header edge.
    void sectionResized(int column, int pixels);

    // Items, counted from 0.
    ListItem* addItem(const QString& text);
    /// A whole row at once (see ItemStore::appendRow). Throws Error 35600 when it has more cells
    /// than there are columns.
    ListItem* addRow(const QVariant& tag, const ItemStore::RowCell* cells, int count);
    /// Between these, added items reach the model in one insertion at the end. They nest.
    void beginBulkAdd();
    void endBulkAdd();
    void removeItem(int row);
    /// Removes every selected item at once; returns how many went.
    int removeSelectedItems();
    void clearItems();

    bool sorted() const { return m_sorted; }
    void setSorted(bool sorted);
    int sortKey() const { return m_sortKey; }
    void setSortKey(int key);
    bool presorted() const { return m_presorted; }
    void setPresorted(bool presorted);
    int sortOrder() const { return m_sortOrder; }
    void setSortOrder(int order);
    /// Applies the order pending from items added while sorted, if any.
    void settleOrder() override;

    std::shared_ptr<ImageList> smallIcons() const { return m_smallIcons; }
    void setSmallIcons(std::shared_ptr<ImageList> images);
    QVariant iconFor(const ListItem& item) const;
    bool checkBoxes() const { return m_checkBoxes; }
    void setCheckBoxes(bool on);
    void updateRowHeight();

    ListItem* selectedItem() const;
    void setSelectedItem(ListItem* item);
    /// Puts pending selection flags into the selection model.
    void pushSelection();
    /// The user changed the selection in the view.
    void pullSelection(const QItemSelection& selected, const QItemSelection& deselected);

    // What the item store reports and asks (see ItemObserver).
    void itemChanged(ListItem& item, int column) override;
    void itemSelectionChanged(ListItem& item) override;
    void itemVisibilityRequested(ListItem& item) override;
    double rowHeightTwips() const override;

    // HeaderObserver
    void headerTextChanged(ColumnHeader& header) override;
    void headerWidthChanged(ColumnHeader& header) override;
    void headerAlignmentChanged(ColumnHeader& header) override;

private:
    void itemAdded();
    void removeScatteredSelection();
    ListItem* keptItemNear(int row) const;
    void renumberHeaders();
    /// Sets the sort key or order; a change reorders a sorted list.
    void changeOrder(int& setting, int value);
    void applyOrder();
    void setFlagsFromSelection(const QItemSelection& selection, bool selected);
    QItemSelection selectionFromFlags() const;
    void runOnceLater(bool& scheduled, void (ListCore::*step)());
    void detachSelection();
    double twipsPerPixel() const;
    void showSortIndicator();

    QTableView& m_view;
    ItemStore m_store;
    std::unique_ptr<ListModel> m_model;
    std::vector<std::unique_ptr<ColumnHeader>> m_ownedHeaders;
    std::vector<ColumnHeader*> m_headerOrder;
    tessaro::ListItems m_items;
    tessaro::ColumnHeaders m_headers;
    int m_bulkDepth = 0;
    bool m_sorted = false;
    bool m_presorted = false; ///< the rows came in the sort order: the indicator shows unsorted
    int m_sortKey = 0;
    int m_sortOrder = 0;
    bool m_orderValid = false;
    bool m_settlePending = false;
    bool m_settleScheduled = false;
    bool m_checkBoxes = false;
    std::shared_ptr<ImageList> m_smallIcons;
    // Holds the room of an image on the rows that have none; made at the first need.
    mutable QIcon m_blankIcon;
    bool m_pushPending = false;
    bool m_pushScheduled = false;
    bool m_pushing = false;
    bool m_resizingSection = false;
    bool m_showingIndicator = false;
};

} // namespace tessaro::listview
