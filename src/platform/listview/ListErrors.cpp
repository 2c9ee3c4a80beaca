#include "platform/listview/ListErrors.h"

#include <tessaro/Error.h>

namespace tessaro::listview {

void raiseIndexOutOfBounds()
{
    throw Error(35600, QStringLiteral("Index out of bounds"));
}

} // namespace tessaro::listview
