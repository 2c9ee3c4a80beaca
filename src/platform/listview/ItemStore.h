#pragma once

// Storage of a list's items: compact records in stable chunks (so a ListItem* survives sorting
// and the removal of other items), each item's cells as one run of text references, their texts
// in one UTF-8 arena, and the list order as a vector of pointers. What few rows use (a cell's own
// Tag, an icon, a sub-item handle) lives in side tables. It knows nothing of Qt's model classes:
// its observer is told what changed.

#include "platform/listview/ColumnTexts.h"
#include "platform/listview/ItemTags.h"
#include "platform/listview/TextArena.h"

#include <tessaro/ListItem.h>

#include <QStringView>
#include <QVariant>

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessaro::listview {

class ItemObserver;

/// A cell never set: an empty text and no Tag. Any other cell holds its text's reference, and
/// its Tag is that text unless the store's side table holds the cell's own.
constexpr TextArena::Ref kCellBlank = 0xFFFFFFFFu;
/// The most cells (sub-items) one item holds: an item counts its cells in 16 bits.
constexpr int kMaxCellsPerItem = 0xFFFF;

class ItemStore {
public:
    explicit ItemStore(ItemObserver& observer);
    ~ItemStore();
    ItemStore(const ItemStore&) = delete;
    ItemStore& operator=(const ItemStore&) = delete;

    static ItemStore& of(const ListItem& item);
    static ItemStore& of(const ListSubItem& cell);
    ItemObserver& observer() const { return m_observer; }

    // Rows, counted from 0.
    int count() const { return static_cast<int>(m_order.size()); }
    ListItem* at(int row) const { return m_order[static_cast<std::size_t>(row)]; }
    ListItem* const* begin() const { return m_order.data(); }
    ListItem* const* end() const { return m_order.data() + m_order.size(); }
    int rowOf(const ListItem& item);
    ListItem* append(QStringView text);
    /// A cell of a whole row being appended: its UTF-8 text, and whether its Tag is that text.
    struct RowCell {
        std::string_view text;
        bool taggedWithText = false;
    };
    /// Appends an item whose text is cells[0] (its tag flag ignored), whose sub-item k holds
    /// cells[k], and whose Tag is `tag`: what append(), setSubItems, setTag would make, at once.
    /// `count` - 1 must not exceed the list's sub-item columns.
    ListItem* appendRow(const QVariant& tag, const RowCell* cells, int count);
    /// Makes room for `rows` more items in the list order, so a long fill grows it only once.
    void reserve(int rows) { m_order.reserve(m_order.size() + static_cast<std::size_t>(rows)); }
    /// Removes rows first..last; the rows after them move up once.
    void removeRange(int first, int last);
    /// Removes every selected item in one pass; the others keep their order.
    void removeSelected();
    /// The runs of consecutive selected rows, top to bottom, as (first, last) pairs.
    std::vector<std::pair<int, int>> selectedRuns() const;
    void clear();
    /// Puts the same items in a new order.
    void reorder(std::vector<ListItem*> order);

    // Texts by column, counted from 0: column 0 is the item's text, column k its sub-item k.
    QString text(const ListItem& item, int column) const;
    std::string_view utf8(const ListItem& item, int column) const;
    void setText(ListItem& item, int column, QStringView text);
    /// Drops column `column` from every item; the later columns move left.
    void removeColumn(int column);

    QVariant tag(const ListItem& item) const;
    void setTag(ListItem& item, const QVariant& tag);

    /// Throws Error 35600 unless 1 <= k < the list's column count.
    void checkSubItem(int k) const;
    /// The handle of sub-item k, made on first use; it lives until its item leaves the list.
    ListSubItem& subItem(ListItem& item, int k);
    int subItemIndex(const ListSubItem& cell) const;
    QString subItemText(const ListSubItem& cell) const;
    void setSubItemText(ListSubItem& cell, QStringView text);
    QVariant subItemTag(const ListSubItem& cell) const;
    void setSubItemTag(ListSubItem& cell, const QVariant& tag);

    bool selected(const ListItem& item) const { return item.m_flags & SelectedFlag; }
    /// Sets the flag; `notify` tells the list core (code), otherwise the view set it (user).
    void setSelected(ListItem& item, bool selected, bool notify);
    int selectedCount() const { return m_selectedCount; }
    bool checked(const ListItem& item) const { return item.m_flags & CheckedFlag; }
    void setChecked(ListItem& item, bool checked);
    int smallIcon(const ListItem& item) const;
    void setSmallIcon(ListItem& item, int image);

private:
    enum Flag : quint8 { SelectedFlag = 1, CheckedFlag = 2 };

    ListItem* newItem();
    ListItem& itemAt(quint32 number) const;
    quint32 numberOf(const ListItem& item) const;
    ListItem& ownerOf(const ListSubItem& cell) const { return itemAt(cell.m_owner); }
    void releaseItem(ListItem& item);
    /// Releases the item and keeps its record for reuse; the caller takes it out of the order.
    void discard(ListItem& item);
    void releaseCell(quint32 index);
    void moveCell(quint32 to, quint32 from);
    TextArena::Ref& cellAt(quint32 index) const;
    /// The cell of sub-item k, 1 <= k <= the item's cell count.
    quint32 cellIndex(const ListItem& item, int k) const { return item.m_cells + static_cast<quint32>(k - 1); }
    /// Keeps `tag` as the Tag of the cell at `index`, whose text is `text`.
    void setCellTag(quint32 index, TextArena::Ref& text, const QVariant& tag);
    void dropHandles(const ListItem& item);
    quint32 allocateCells(int count);
    void growCells(ListItem& item, int k);
    void fillNewCells(ListItem& item, const RowCell* cells, int count);
    TextArena::Ref addColumnText(std::size_t column, std::string_view bytes);
    void replaceText(TextArena::Ref& slot, TextArena::Ref keep, QStringView text, bool& changed);
    void compactIfWorthwhile();
    void compact();
    void freeChunks();
    void freeCells();

    ItemObserver& m_observer;
    TextArena m_arena;
    std::vector<ColumnTexts> m_columnTexts; // per column, the texts it stored lately
    ItemTagTable m_itemTags;
    std::unordered_map<quint32, QVariant> m_cellTags; // by cell index: a Tag that is not the text
    std::unordered_map<quint64, ListSubItem*> m_handles; // by item number and k; owned
    std::unordered_map<quint32, int> m_smallIcons; // by item number; 0 is left out
    std::vector<ListItem*> m_order;
    std::size_t m_validRows = 0; // positions below this hold their item's m_row
    int m_selectedCount = 0;

    std::vector<char*> m_itemChunks; // each opens with its ChunkHead in the place of one item
    std::size_t m_itemsInLastChunk = 0;
    std::vector<ListItem*> m_freeItems;
    std::vector<std::unique_ptr<TextArena::Ref[]>> m_cellChunks; // left unwritten until used
    std::size_t m_nextCell = 0;
};

} // namespace tessaro::listview
