#include "control/TessaroPrivate.h"

#include "platform/Failure.h"
#include "platform/controls/ControlGuard.h"

#include <QCoreApplication>

namespace tessaro {

// The fill, the icons and the page bar report their own failures; a negative list height is skipped.
void Tessaro::UserControl_Resize()
{
    const SkipFailures skip;
    const ControlGuard guard(this);
    const double perPixel = TwipsGeometry::twipsPerPixel(this);
    PictureBox* panel = d->pctIntestazione;
    tessaro::ListView* list = d->lstv;
    if (controlHeightTwips(this) < panel->Height())
        resize(width(), qRound(panel->Height() / perPixel));
    panel->setWidth(controlWidthTwips(this));
    list->setWidth(controlWidthTwips(this));
    // Other notifications of the control may run here; every size below is read afresh.
    QCoreApplication::processEvents();
    if (guard.gone())
        return;
    skip([&] {
        const double reserved = 105 + d->fraPaginazione->Height() + (panel->isHidden() ? 0 : panel->Height());
        list->setHeight(controlHeightTwips(this) - reserved);
    });
    d->fraPaginazione->Move(list->Left(), list->Top() + list->Height(), list->Width(),
                            d->fraPaginazione->Height());
    if (d->results.page.paged) {
        const int rows = RigheVisibili();
        if (rows != d->results.page.size) {
            d->results.page.size = rows;
            d->loader->loadCurrentPage();
            if (guard.gone())
                return;
            skip([&] { emit PopulatedList(); });
            if (guard.gone())
                return;
        }
    }
    if (d->results.current().State() != 0)
        d->pageBar->Paginazione();
}

} // namespace tessaro
