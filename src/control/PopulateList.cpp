#include "control/TessaroPrivate.h"

#include "data/RiempiListView.h"
#include "language/ErrorReport.h"
#include "platform/Failure.h"
#include "platform/controls/ControlGuard.h"
#include "platform/controls/ControlSupport.h"
#include "search/RiempiComboConIntestazioniListView.h"

namespace tessaro {

void Tessaro::fillCurrentPage()
{
    RiempiListView(rst, *d->lstv, Columns, d->results.page.size, d->results.page.number);
}

void Tessaro::PopulateList()
{
    const ControlGuard guard(this);
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("PopulateList"), [&] {
        if (!applicationName().isEmpty())
            readRememberedPaged();
        rst = d->results.current().Clone(-1);
        d->fraPaginazione->setVisible(false);
        UserControl_Resize();
        if (guard.gone())
            return;
        if (d->results.page.paged) {
            if (d->results.page.number == 0)
                d->results.page.number = 1;
            d->results.page.size = RigheVisibili();
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

void Tessaro::Init_class(const QString& AppTitle, bool NonMemorizzareDimensioni)
{
    // A set that is not open fails to close, and a query may fail to open: neither stops this.
    const SkipFailures skip;
    if (!d->settings.Query.isEmpty()) {
        skip([&] { d->results.current().Close(); });
        skip([&] { d->results.current().Open(d->settings.Query, d->settings.DBConnection, 3, 1, -1); });
    }
    Columns = std::make_shared<collColonne>();
    const int fields = d->results.current().State() == Recordset::StateClosed ? 0 : d->results.current().Fields().Count();
    for (int i = 1; i <= fields; ++i)
        Columns->Add(QString(), 0, QString());
    ListView = d->lstv;
    d->lstv->setCheckBoxes(d->settings.CheckBoxes);
    d->AppTitle = AppTitle;
    d->NonMemorizzareDimensioni = NonMemorizzareDimensioni;
    setSolidBackground(this, d->lstv->BackColor());
    d->fraPaginazione->setBackColor(d->lstv->BackColor());
}

} // namespace tessaro
