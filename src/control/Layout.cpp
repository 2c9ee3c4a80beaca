#include "control/ControlGuard.h"
#include "control/TessaroPrivate.h"

#include "platform/Failure.h"

#include <QCoreApplication>

namespace tessaro {

void Tessaro::UserControl_Resize()
{
    const ControlGuard guard(this);
    const double perPixel = TwipsGeometry::twipsPerPixel(this);
    PictureBox* panel = d->pctIntestazione;
    tessaro::ListView* list = d->lstv;
    skipFailure([&] {
        if (controlHeightTwips(this) < panel->Height())
            resize(width(), qRound(panel->Height() / perPixel));
    });
    skipFailure([&] { panel->setWidth(controlWidthTwips(this)); });
    skipFailure([&] { list->setWidth(controlWidthTwips(this)); });
    // Other notifications of the control may run here; every size below is read afresh.
    skipFailure([] { QCoreApplication::processEvents(); });
    if (guard.gone())
        return;
    skipFailure([&] {
        const double reserved = 105 + d->fraPaginazione->Height() + (panel->isHidden() ? 0 : panel->Height());
        list->setHeight(controlHeightTwips(this) - reserved);
    });
    skipFailure([&] {
        d->fraPaginazione->Move(list->Left(), list->Top() + list->Height(), list->Width(),
                                d->fraPaginazione->Height());
    });
    if (d->Paged) {
        int rows = d->PageSize;
        skipFailure([&] { rows = RigheVisibili(); });
        if (rows != d->PageSize) {
            d->PageSize = rows;
            skipFailure([&] { fillCurrentPage(); });
            if (guard.gone())
                return;
            skipFailure([&] { CaricaIcone(); });
            if (guard.gone())
                return;
            skipFailure([&] { emit PopulatedList(); });
            if (guard.gone())
                return;
        }
    }
    skipFailure([&] {
        if (currentRecordset().State() != 0)
            Paginazione();
    });
}

} // namespace tessaro
