#include "control/TessaroPrivate.h"

namespace tessaro {

void Tessaro::connectSearch()
{
}

} // namespace tessaro
