#pragma once

#include <tessaro/tessaro_export.h>

#include <QString>
#include <QVariant>
#include <QtGlobal>

namespace tessaro {

namespace listview {
class ItemStore;
class ListCore;
} // namespace listview

class ListItem;

/// One cell after the first of a list item: sub-item k shows in column k + 1. Its text and its
/// Tag are separate values. The pointer stays valid while its item is in the list.
///
/// A sub-item is a handle the list makes when it is first asked for: the cells themselves are
/// kept by the list in its own compact form, so the members below are not state a host can use.
class TESSARO_EXPORT ListSubItem {
public:
    /// The text shown in the column; the same as the item's SubItems(Index()).
    QString Text() const;
    /// Sets the text shown.
    void setText(const QString& text);
    /// Any value; a null QVariant (never set) by default. The control's fill stores the cell
    /// text there (nothing for a database Null).
    QVariant Tag() const;
    /// Keeps `tag`.
    void setTag(const QVariant& tag);
    /// k, counted from 1.
    int Index() const;

private:
    friend class listview::ItemStore;
    ListSubItem() = default;
    ~ListSubItem() = default;
    ListSubItem(const ListSubItem&) = delete;
    ListSubItem& operator=(const ListSubItem&) = delete;

    listview::ItemStore* m_store = nullptr;
    quint32 m_owner = 0; // the number of its item in the list's storage
    quint32 m_index = 0; // k
};

/// One row of a ListView. The pointer stays valid, across sorting too, until the item is removed
/// or the list is cleared.
///
/// Items are compact records kept by the list, so the members below are the list's storage.
class TESSARO_EXPORT ListItem {
public:
    /// The text of column 1; after the control's fill, the cell text of field 1.
    QString Text() const;
    /// Sets the text of column 1.
    void setText(const QString& text);

    /// Any value kept for the host, a null QVariant included (kept as null, with its type).
    /// After the control's fill, the row's key: the value of the query's first field.
    QVariant Tag() const;
    /// Keeps `tag`.
    void setTag(const QVariant& tag);

    /// Text of column k + 1 (empty until set). k runs from 1 to the number of column headers
    /// minus 1; any other k throws tessaro::Error 35600 "Index out of bounds".
    QString SubItems(int k) const;
    /// Sets the text of column k + 1; fails as SubItems().
    void setSubItems(int k, const QString& text);
    /// The sub-item k itself; fails as SubItems().
    ListSubItem* ListSubItems(int k);

    /// Selection as the user sees it; setting it does not move the current item. False for a
    /// new item.
    bool Selected() const;
    /// Selects or deselects the item.
    void setSelected(bool selected);

    /// The state of the item's check box (shown when the list's CheckBoxes is on); false for a
    /// new item.
    bool Checked() const;
    /// Checks or unchecks the item's box.
    void setChecked(bool checked);

    /// Number of the icon shown in column 1, from the list's SmallIcons (1-based; 0 = none). A
    /// number the image list does not hold shows no icon.
    int SmallIcon() const;
    /// Sets the icon number; any number is kept.
    void setSmallIcon(int image);

    /// Scrolls the list so that the item is in view.
    void EnsureVisible();
    /// Row height in twips.
    double Height() const;
    /// Position in the list, counted from 1.
    int Index() const;

private:
    friend class listview::ItemStore;
    ListItem() = default;
    ~ListItem() = default;
    ListItem(const ListItem&) = delete;
    ListItem& operator=(const ListItem&) = delete;

    quint64 m_tag = 0;
    quint32 m_text = 0;
    quint32 m_row = 0;
    quint32 m_cells = 0;
    quint16 m_cellCount = 0;
    quint8 m_flags = 0;
};

/// The items of a ListView, in list order.
class TESSARO_EXPORT ListItems {
public:
    /// Owned by its list, which destroys it.
    ~ListItems() = default;
    /// Not copyable: the list owns its items.
    ListItems(const ListItems&) = delete;
    /// Not copyable.
    ListItems& operator=(const ListItems&) = delete;

    /// Removes every item; pointers to them become invalid.
    void Clear();
    /// Appends an item with that text and returns it. Items added while the list is Sorted take
    /// their place in the order, by their texts as they stand when positions are next read.
    ListItem* Add(const QString& text = QString());
    /// The number of items.
    int Count() const;
    /// Item i, counted from 1; throws tessaro::Error 35600 "Index out of bounds" outside
    /// 1 … Count().
    ListItem* Item(int i) const;
    /// Removes item i (fails as Item()); the items after it move up by one.
    void Remove(int i);
    /// Removes every selected item at once, the others keeping their order; returns how many
    /// went. Much faster than Remove() item by item when many rows of a long list are selected.
    int RemoveSelected();

    /// The first item, for range-for in list order.
    ListItem* const* begin() const;
    /// Past the last item.
    ListItem* const* end() const;

private:
    friend class listview::ListCore;
    explicit ListItems(listview::ListCore& core) : m_core(core) {}

    listview::ListCore& m_core;
};

} // namespace tessaro
