#pragma once

// The list's collections (items, headers, icons) number their members from 1 for the host.

#include "platform/Failure.h"

namespace tessaro::listview {

/// The position, counted from 0, of member `i` of a collection of `count` numbered from 1.
/// Raises Error 35600 "Index out of bounds" unless 1 <= i <= count.
inline int zeroBased(int i, int count)
{
    if (i < 1 || i > count)
        raiseError(Error::IndexOutOfBounds);
    return i - 1;
}

} // namespace tessaro::listview
