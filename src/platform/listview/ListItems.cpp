#include <tessaro/ListItem.h>

#include "platform/listview/ListCore.h"
#include "platform/listview/OneBased.h"

namespace tessaro {

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
