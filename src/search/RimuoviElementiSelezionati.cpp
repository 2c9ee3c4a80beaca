#include "search/RimuoviElementiSelezionati.h"

#include "platform/Failure.h"

#include <tessaro/ListView.h>

namespace tessaro {

// Item i is looked at again after a removal, since the next item has moved into its place.
void RimuoviElementiSelezionati(ListView& lstv)
{
    ListItems& items = lstv.ListItems();
    int n = items.Count();
    int i = 1;
    while (i <= n) {
        bool selected = false;
        skipFailure([&] { selected = items.Item(i)->Selected(); });
        if (selected) {
            skipFailure([&] { items.Remove(i); });
            --n;
        } else {
            ++i;
        }
    }
    skipFailure([&] { lstv.Refresh(); });
}

} // namespace tessaro
