#include "control/TessaroPrivate.h"

namespace tessaro {

void Tessaro::connectListEvents()
{
    // Widths are saved when the user leaves the list, having finished adjusting them.
    connect(d->lstv, &tessaro::ListView::LostFocus, this, [this] { saveRememberedSettings(); });
}

} // namespace tessaro
