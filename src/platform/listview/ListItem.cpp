#include <tessaro/ListItem.h>

#include "platform/listview/ListCore.h"
#include "platform/listview/OneBased.h"

namespace tessaro {

using listview::ItemStore;

// Records are packed for lists of a million rows; keep them from growing unnoticed.
static_assert(sizeof(ListItem) <= 24, "an item is one row of a million-row list");

QString ListItem::Text() const
{
    return ItemStore::of(*this).text(*this, 0);
}

void ListItem::setText(const QString& text)
{
    ItemStore::of(*this).setText(*this, 0, text);
}

QVariant ListItem::Tag() const
{
    return ItemStore::of(*this).tag(*this);
}

void ListItem::setTag(const QVariant& tag)
{
    ItemStore::of(*this).setTag(*this, tag);
}

QString ListItem::SubItems(int k) const
{
    ItemStore::of(*this).checkSubItem(k);
    return ItemStore::of(*this).text(*this, k);
}

void ListItem::setSubItems(int k, const QString& text)
{
    ItemStore::of(*this).checkSubItem(k);
    ItemStore::of(*this).setText(*this, k, text);
}

ListSubItem* ListItem::ListSubItems(int k)
{
    ItemStore::of(*this).checkSubItem(k);
    return &ItemStore::of(*this).subItem(*this, k);
}

bool ListItem::Selected() const
{
    return ItemStore::of(*this).selected(*this);
}

void ListItem::setSelected(bool selected)
{
    ItemStore::of(*this).setSelected(*this, selected, true);
}

bool ListItem::Checked() const
{
    return ItemStore::of(*this).checked(*this);
}

void ListItem::setChecked(bool checked)
{
    ItemStore::of(*this).setChecked(*this, checked);
}

int ListItem::SmallIcon() const
{
    return ItemStore::of(*this).smallIcon(*this);
}

void ListItem::setSmallIcon(int image)
{
    ItemStore::of(*this).setSmallIcon(*this, image);
}

void ListItem::EnsureVisible()
{
    ItemStore::of(*this).observer().itemVisibilityRequested(*this);
}

double ListItem::Height() const
{
    return ItemStore::of(*this).observer().rowHeightTwips();
}

int ListItem::Index() const
{
    ItemStore::of(*this).observer().settleOrder();
    return ItemStore::of(*this).rowOf(*this) + 1;
}

QString ListSubItem::Text() const
{
    return ItemStore::of(*this).subItemText(*this);
}

void ListSubItem::setText(const QString& text)
{
    ItemStore::of(*this).setSubItemText(*this, text);
}

QVariant ListSubItem::Tag() const
{
    return ItemStore::of(*this).subItemTag(*this);
}

void ListSubItem::setTag(const QVariant& tag)
{
    ItemStore::of(*this).setSubItemTag(*this, tag);
}

int ListSubItem::Index() const
{
    return ItemStore::of(*this).subItemIndex(*this);
}

void ListItems::Clear()
{
    m_core.clearItems();
}

ListItem* ListItems::Add(const QString& text)
{
    return m_core.addItem(text);
}

int ListItems::Count() const
{
    return m_core.store().count();
}

ListItem* ListItems::Item(int i) const
{
    const int row = listview::zeroBased(i, Count());
    m_core.settleOrder();
    return m_core.store().at(row);
}

void ListItems::Remove(int i)
{
    const int row = listview::zeroBased(i, Count());
    m_core.settleOrder();
    m_core.removeItem(row);
}

int ListItems::RemoveSelected()
{
    return m_core.removeSelectedItems();
}

ListItem* const* ListItems::begin() const
{
    m_core.settleOrder();
    return m_core.store().begin();
}

ListItem* const* ListItems::end() const
{
    m_core.settleOrder();
    return m_core.store().end();
}

} // namespace tessaro
