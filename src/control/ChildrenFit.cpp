#include "control/TessaroPrivate.h"

#include "design/DesignedLayout.h"
#include "platform/Failure.h"
#include "platform/controls/ControlGuard.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace tessaro {
namespace {

double widthTwips(const QWidget& control)
{
    return control.width() * TwipsGeometry::twipsPerPixel(&control);
}

double heightTwips(const QWidget& control)
{
    return control.height() * TwipsGeometry::twipsPerPixel(&control);
}

// Whole rows of the quotient, failing like the runtime's integer conversion when out of range.
int wholeRows(double rows)
{
    const double floored = std::floor(rows);
    if (!std::isfinite(floored) || floored > std::numeric_limits<qint32>::max()
        || floored < std::numeric_limits<qint32>::min())
        raiseError(Error::Overflow);
    return static_cast<int>(floored);
}

// The summed header widths plus the allowance, rounded half to even at every step as a 32-bit
// integer.
bool expectsHorizontalScroll(const tessaro::ListView& list)
{
    if (list.ColumnHeaders().Count() == 0)
        return false;
    qint32 sum = static_cast<qint32>(design::kScrollAllowance);
    for (const ColumnHeader* header : list.ColumnHeaders())
        sum = static_cast<qint32>(std::nearbyint(header->Width() + sum));
    return list.Width() < sum;
}

// The list's height at the control's present size: what is left by the switch strip, the page
// bar and the panel when shown.
double listHeightAt(const QWidget& control, const HeaderPanel& header, const Frame& pageFrame)
{
    const PictureBox& panel = header.panel();
    const double reserved = design::kSwitchStrip + pageFrame.Height() + (panel.isHidden() ? 0 : panel.Height());
    return std::max(heightTwips(control), panel.Height()) - reserved;
}

// Fits the children, letting other notifications run half way (they may destroy the control).
// False when the control went meanwhile: nothing of it may be touched then. A control lower than
// the panel grows to the panel's height; a list height that comes out negative is skipped.
bool fitChildren(QWidget& control, HeaderPanel& header, tessaro::ListView& list, Frame& pageFrame)
{
    const SkipFailures skip("fitChildren");
    const ControlGuard guard(&control);
    PictureBox& panel = header.panel();
    if (heightTwips(control) < panel.Height())
        control.resize(control.width(), qRound(panel.Height() / TwipsGeometry::twipsPerPixel(&control)));
    panel.setWidth(widthTwips(control));
    list.setWidth(widthTwips(control));
    // Other notifications of the control may run here; every size below is read afresh.
    QCoreApplication::processEvents();
    if (guard.gone())
        return false;
    skip([&] { list.setHeight(listHeightAt(control, header, pageFrame)); });
    pageFrame.Move(list.Left(), list.Top() + list.Height(), list.Width(), pageFrame.Height());
    return true;
}

} // namespace

void Tessaro::UserControl_Resize()
{
    if (fitChildren(*this, *d->header, *d->lstv, d->pageBar->frame()))
        d->refitPage();
}

// The fill, the icons and the page bar report their own failures; host code run by the
// announcement is skipped when it fails.
void TessaroPrivate::refitPage()
{
    const SkipFailures skip("refitPage");
    const ControlGuard guard(&q);
    if (results.page.paged && fitPageToRows()) {
        if (guard.gone())
            return;
        skip([&] { emit q.PopulatedList(); });
        if (guard.gone())
            return;
    }
    if (results.current().State() != Recordset::StateClosed)
        pageBar->Paginazione();
}

bool TessaroPrivate::fitPageToRows()
{
    const int rows = RigheVisibili(*lstv);
    if (rows == results.page.size)
        return false;
    results.page.size = rows;
    loader->loadCurrentPage();
    return true;
}

int RigheVisibili(const tessaro::ListView& list) noexcept
{
    return rowsShownAt(list, list.Height());
}

int TessaroPrivate::pageRowsAtSize() const noexcept
{
    double height = 0;
    skipFailure("pageRowsAtSize", [&] { height = listHeightAt(q, *header, pageBar->frame()); });
    return rowsShownAt(*lstv, height);
}

int rowsShownAt(const tessaro::ListView& list, double height) noexcept
{
    // A row count that overflows, or rows of no height, leave one row.
    const SkipFailures skip("RigheVisibili");
    const bool horizontalScroll = expectsHorizontalScroll(list);
    int count = 0;
    skip([&] {
        if (list.ListItems().Count() == 0) {
            count = wholeRows(height / design::kRowGuess) - design::kRowsKeptFree;
            return;
        }
        const double rowHeight = list.ListItems().Item(1)->Height();
        if (rowHeight == 0)
            return;
        count = wholeRows((height - design::kListChrome) / rowHeight) - (horizontalScroll ? 1 : 0);
    });
    return count < 1 ? 1 : count;
}

} // namespace tessaro
