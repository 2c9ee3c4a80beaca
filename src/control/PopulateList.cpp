#include "control/TessaroPrivate.h"

#include "language/ErrorReport.h"
#include "platform/controls/ControlGuard.h"
#include "platform/controls/ControlSupport.h"

namespace tessaro {

// Refused quietly while a long load runs (a host timer or handler during its yields): the load
// and its list stay as they are.
void Tessaro::PopulateList()
{
    if (d->pacer.busy())
        return;
    const ControlGuard guard(this);
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("PopulateList"), [&] {
        d->remembered->readRememberedPaged(d->results.page.paged);
        rst = d->results.current().Clone(-1);
        d->pageBar->frame().setVisible(false);
        UserControl_Resize();
        if (guard.gone())
            return;
        if (d->results.page.paged) {
            if (d->results.page.number == 0)
                d->results.page.number = 1;
            d->results.page.size = RigheVisibili(*d->lstv);
            d->loader->fillPage();
            if (guard.gone())
                return;
            // The page bar shows the new page before its icons are loaded.
            d->pageBar->Paginazione();
            if (guard.gone())
                return;
            d->loader->CaricaIcone();
            if (guard.gone())
                return;
            emit PopulatedList();
        } else {
            d->pageBar->lblCaricatutti_Click();
        }
        if (guard.gone())
            return;
        d->pageBar->frame().setVisible(true);
        d->search->fillColumnChoice();
        if (guard.gone() || !d->remembered->keepsWidths())
            return;
        d->remembered->restoreRememberedWidths();
        setSolidBackground(this, d->lstv->BackColor());
        d->pageBar->frame().setBackColor(d->lstv->BackColor());
    });
}

void Tessaro::Init_class(const QString& AppTitle, bool NonMemorizzareDimensioni)
{
    // Reopening the query under a load that is reading it would pull the rows from under it.
    if (d->pacer.busy())
        return;
    d->loader->openQuery();
    ListView = d->lstv;
    d->lstv->setCheckBoxes(d->settings.CheckBoxes);
    d->remembered->setApplication(AppTitle, NonMemorizzareDimensioni);
    setSolidBackground(this, d->lstv->BackColor());
    d->pageBar->frame().setBackColor(d->lstv->BackColor());
}

} // namespace tessaro
