#include <tessaro/ListItem.h>

#include "platform/listview/ListCore.h"
#include "platform/listview/ListErrors.h"

namespace tessaro {

struct ListItems::Private {
    listview::ListCore& core;
};

ListItems::ListItems(listview::ListCore& core) : d(new Private{core}) {}

ListItems::~ListItems() = default;

void ListItems::Clear()
{
    d->core.clearItems();
}

ListItem* ListItems::Add(const QString& text)
{
    return d->core.addItem(text);
}

int ListItems::Count() const
{
    return d->core.store().count();
}

ListItem* ListItems::Item(int i) const
{
    if (i < 1 || i > Count())
        listview::raiseIndexOutOfBounds();
    d->core.settleOrder();
    return d->core.store().at(i - 1);
}

void ListItems::Remove(int i)
{
    if (i < 1 || i > Count())
        listview::raiseIndexOutOfBounds();
    d->core.settleOrder();
    d->core.removeItem(i - 1);
}

int ListItems::RemoveSelected()
{
    return d->core.removeSelectedItems();
}

ListItem* const* ListItems::begin() const
{
    d->core.settleOrder();
    return d->core.store().begin();
}

ListItem* const* ListItems::end() const
{
    d->core.settleOrder();
    return d->core.store().end();
}

} // namespace tessaro
