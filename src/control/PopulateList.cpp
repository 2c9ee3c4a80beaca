#include "control/TessaroPrivate.h"

#include "language/ErrorReport.h"
#include "platform/controls/ControlGuard.h"
#include "platform/controls/ControlSupport.h"
#include "platform/sql/RecordsetRows.h"

namespace tessaro {

// Refused quietly while a long load runs (a host timer or handler during its yields): the load
// and its list stay as they are.
void Tessaro::PopulateList()
{
    if (d->pacer.busy())
        return;
    // Read once the resize has run: the host may switch the view while it yields.
    bool paged = false;
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("PopulateList"), [&] {
        runSteps(
            this,
            [&] {
                d->remembered->readRememberedPaged(d->results.page.paged);
                d->returnToQueryOrder();
                rst = d->results.current().Clone(-1);
                d->pageBar->frame().setVisible(false);
                UserControl_Resize();
            },
            [&] {
                paged = d->results.page.paged;
                if (!paged) {
                    d->pageBar->lblCaricatutti_Click();
                    return;
                }
                if (d->results.page.number == 0)
                    d->results.page.number = 1;
                d->results.page.size = RigheVisibili(*d->lstv);
                d->loader->fillPage();
                // The count follows beside the page, started once its rows are read: a count
                // scanning the table while the page is read would slow the page down.
                d->pageBar->countBeside();
            },
            // An empty list can only guess its rows; filled, it fits the page to their height.
            [&] {
                if (paged)
                    d->fitPageToRows();
            },
            // The page bar shows the new page before its icons are loaded.
            [&] {
                if (paged)
                    d->pageBar->Paginazione();
            },
            [&] {
                if (paged)
                    d->loader->CaricaIcone();
            },
            [&] {
                if (paged)
                    emit PopulatedList();
            },
            [&] {
                d->pageBar->frame().setVisible(true);
                d->search->fillColumnChoice();
            },
            [&] { return d->remembered->keepsWidths(); },
            [&] {
                d->remembered->restoreRememberedWidths();
                setSolidBackground(this, d->lstv->BackColor());
                d->pageBar->frame().setBackColor(d->lstv->BackColor());
            });
    });
}

void Tessaro::Init_class(const QString& AppTitle, bool NonMemorizzareDimensioni)
{
    // Reopening the query under a load that is reading it would pull the rows from under it.
    if (d->pacer.busy())
        return;
    // The old query's count, if still running, is of no use any more.
    d->returnToQueryOrder();
    sql::RecordsetRows::stopCounting(d->results.current());
    d->loader->openQuery();
    ListView = d->lstv;
    d->lstv->setCheckBoxes(d->settings.CheckBoxes);
    d->remembered->setApplication(AppTitle, NonMemorizzareDimensioni);
    setSolidBackground(this, d->lstv->BackColor());
    d->pageBar->frame().setBackColor(d->lstv->BackColor());
}

} // namespace tessaro
