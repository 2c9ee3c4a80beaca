#include "control/TessaroPrivate.h"

#include "platform/Failure.h"

namespace tessaro {

// Neither action looks at the panel's current state: each moves the list by the same amount
// every time, so showing twice moves the list down twice.
void Tessaro::pctEstendi_Click()
{
    tessaro::ListView* list = d->lstv;
    const double panel = d->pctIntestazione->Height();
    skipFailure([&] { list->Move(list->Left(), list->Top() + panel - 105, list->Width(), list->Height() - panel + 105); });
    skipFailure([&] { d->pctIntestazione->setVisible(true); });
    skipFailure([&] { d->pctNascondi->setVisible(true); });
    skipFailure([&] { d->pctEstendi->setVisible(false); });
    skipFailure([&] { d->cmbCercaIn->setFocus(Qt::OtherFocusReason); });
}

void Tessaro::pctNascondi_Click()
{
    tessaro::ListView* list = d->lstv;
    const double panel = d->pctIntestazione->Height();
    skipFailure([&] { list->Move(list->Left(), list->Top() - panel + 105, list->Width(), list->Height() + panel - 105); });
    skipFailure([&] { d->pctIntestazione->setVisible(false); });
    skipFailure([&] { d->pctNascondi->setVisible(false); });
    skipFailure([&] { d->pctEstendi->setVisible(true); });
}

} // namespace tessaro
