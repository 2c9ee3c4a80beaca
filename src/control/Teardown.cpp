#include "control/TessaroPrivate.h"

#include "platform/Failure.h"

namespace tessaro {

Tessaro::~Tessaro()
{
    skipFailure([&] { currentRecordset().Close(); });
    skipFailure([&] { rst.reset(); });
    skipFailure([&] { saveRememberedSettings(); });
}

} // namespace tessaro
