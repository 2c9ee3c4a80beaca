#include "search/RimuoviElementiSelezionati.h"

#include "platform/Failure.h"

#include <tessaro/ListView.h>

namespace tessaro {

void RimuoviElementiSelezionati(ListView& lstv)
{
    skipFailure([&] { lstv.ListItems().RemoveSelected(); });
    skipFailure([&] { lstv.Refresh(); });
}

} // namespace tessaro
