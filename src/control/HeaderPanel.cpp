#include "control/TessaroPrivate.h"

#include "platform/Failure.h"

namespace tessaro {

// Neither action looks at the panel's current state: each moves the list by the same amount
// every time, so showing twice moves the list down twice; a list too short for it stays put.
void Tessaro::pctEstendi_Click()
{
    const SkipFailures skip;
    tessaro::ListView* list = d->lstv;
    const double panel = d->pctIntestazione->Height();
    skip([&] { list->Move(list->Left(), list->Top() + panel - 105, list->Width(), list->Height() - panel + 105); });
    d->pctIntestazione->setVisible(true);
    d->pctNascondi->setVisible(true);
    d->pctEstendi->setVisible(false);
    d->cmbCercaIn->setFocus(Qt::OtherFocusReason);
}

void Tessaro::pctNascondi_Click()
{
    const SkipFailures skip;
    tessaro::ListView* list = d->lstv;
    const double panel = d->pctIntestazione->Height();
    skip([&] { list->Move(list->Left(), list->Top() - panel + 105, list->Width(), list->Height() + panel - 105); });
    d->pctIntestazione->setVisible(false);
    d->pctNascondi->setVisible(false);
    d->pctEstendi->setVisible(true);
}

} // namespace tessaro
