#include "control/TessaroPrivate.h"

#include "data/RiempiListView.h"
#include "platform/Failure.h"
#include "platform/controls/ControlSupport.h"
#include "search/RiempiComboConIntestazioniListView.h"

namespace tessaro {

void Tessaro::fillCurrentPage()
{
    RiempiListView(rst, *d->lstv, Columns, d->PageSize, d->AbsolutePage);
}

void Tessaro::PopulateList()
{
    trapAndReport(ReportForm::A, QStringLiteral("PopulateList"), [&] {
        if (!applicationName().isEmpty())
            readRememberedPaged();
        rst = currentRecordset().Clone(-1);
        d->fraPaginazione->setVisible(false);
        UserControl_Resize();
        if (d->Paged) {
            if (d->AbsolutePage == 0)
                d->AbsolutePage = 1;
            d->PageSize = RigheVisibili();
            fillCurrentPage();
            Paginazione();
            CaricaIcone();
            emit PopulatedList();
        } else {
            lblCaricatutti_Click();
        }
        d->fraPaginazione->setVisible(true);
        RiempiComboConIntestazioniListView(*d->lstv, *d->cmbCercaIn);
        if (d->NonMemorizzareDimensioni)
            return;
        restoreRememberedWidths();
        setSolidBackground(this, d->lstv->BackColor());
        d->fraPaginazione->setBackColor(d->lstv->BackColor());
    });
}

} // namespace tessaro
