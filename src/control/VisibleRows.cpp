#include "control/TessaroPrivate.h"

#include "platform/Failure.h"

#include <cmath>
#include <limits>

namespace tessaro {
namespace {

// Whole rows of the quotient, failing like the runtime's integer conversion when out of range.
int wholeRows(double rows)
{
    const double floored = std::floor(rows);
    if (!std::isfinite(floored) || floored > std::numeric_limits<qint32>::max()
        || floored < std::numeric_limits<qint32>::min())
        raiseError(Error::Overflow);
    return static_cast<int>(floored);
}

// The summed header widths plus 100, rounded half to even at every step as a 32-bit integer.
bool expectsHorizontalScroll(const tessaro::ListView& list)
{
    if (list.ColumnHeaders().Count() == 0)
        return false;
    qint32 sum = 100;
    for (const ColumnHeader* header : list.ColumnHeaders())
        sum = static_cast<qint32>(std::nearbyint(header->Width() + sum));
    return list.Width() < sum;
}

} // namespace

int Tessaro::RigheVisibili()
{
    // A row count that overflows, or rows of no height, leave one row.
    const SkipFailures skip;
    tessaro::ListView* list = d->lstv;
    const bool horizontalScroll = expectsHorizontalScroll(*list);
    int count = 0;
    skip([&] {
        if (list->ListItems().Count() == 0) {
            count = wholeRows(list->Height() / 200) - 4;
            return;
        }
        const double rowHeight = list->ListItems().Item(1)->Height();
        if (rowHeight == 0)
            raiseError(Error::DivisionByZero);
        count = wholeRows((list->Height() - 400) / rowHeight) - (horizontalScroll ? 1 : 0);
    });
    return count < 1 ? 1 : count;
}

} // namespace tessaro
