#include "control/ControlGuard.h"
#include "control/TessaroPrivate.h"

#include "data/RiempiListView.h"
#include "language/ErrorReport.h"
#include "platform/controls/ControlSupport.h"
#include "search/RiempiComboConIntestazioniListView.h"

namespace tessaro {

void Tessaro::fillCurrentPage()
{
    RiempiListView(rst, *d->lstv, Columns, d->PageSize, d->AbsolutePage);
}

void Tessaro::PopulateList()
{
    const ControlGuard guard(this);
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("PopulateList"), [&] {
        if (!applicationName().isEmpty())
            readRememberedPaged();
        rst = currentRecordset().Clone(-1);
        d->fraPaginazione->setVisible(false);
        UserControl_Resize();
        if (guard.gone())
            return;
        if (d->Paged) {
            if (d->AbsolutePage == 0)
                d->AbsolutePage = 1;
            d->PageSize = RigheVisibili();
            fillCurrentPage();
            if (guard.gone())
                return;
            Paginazione();
            if (guard.gone())
                return;
            CaricaIcone();
            if (guard.gone())
                return;
            emit PopulatedList();
        } else {
            lblCaricatutti_Click();
        }
        if (guard.gone())
            return;
        d->fraPaginazione->setVisible(true);
        RiempiComboConIntestazioniListView(*d->lstv, *d->cmbCercaIn);
        if (guard.gone() || d->NonMemorizzareDimensioni)
            return;
        restoreRememberedWidths();
        setSolidBackground(this, d->lstv->BackColor());
        d->fraPaginazione->setBackColor(d->lstv->BackColor());
    });
}

} // namespace tessaro
