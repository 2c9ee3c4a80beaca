#include "control/TessaroPrivate.h"

namespace tessaro {

void Tessaro::connectTotalsAndExport()
{
}

} // namespace tessaro
