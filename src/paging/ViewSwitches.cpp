#include "control/TessaroPrivate.h"

#include "language/ErrorReport.h"
#include "language/LanguageKeys.h"
#include "platform/controls/ControlGuard.h"

#include <QCoreApplication>

namespace tessaro {

// Both switches run the same steps; they differ in the view chosen, the page size and what
// becomes of lblPaginaRisultati at the end. Returns false when the connection was not usable or
// the control is gone.
bool Tessaro::switchView(bool paged)
{
    const ControlGuard guard(this);
    // The one point where other notifications may run, before any state changes.
    QCoreApplication::processEvents();
    if (guard.gone() || !ConnessioneAttiva())
        return false;
    d->lblCaricatutti->setMousePointer(PointerShape::Default);
    setMousePointer(PointerShape::Hourglass);
    d->results.page.paged = paged;
    d->results.page.size = paged ? RigheVisibili() : d->results.current().RecordCount();
    d->results.page.number = 1;
    Paginazione();
    if (guard.gone())
        return false;
    d->lblNumRecord->setText(recordsText(d->results.current().RecordCount()));
    for (Label* label : d->lblPag)
        label->setVisible(false);
    d->imgPrimaPagina->setVisible(false);
    d->imgUltimaPagina->setVisible(false);
    d->lblPagine->setVisible(false);
    fillCurrentPage();
    if (guard.gone())
        return false;
    CaricaIcone();
    if (guard.gone())
        return false;
    Paginazione();
    if (guard.gone())
        return false;
    emit PopulatedList();
    if (guard.gone())
        return false;
    setMousePointer(PointerShape::Default);
    d->lblCaricatutti->setMousePointer(PointerShape::Hand);
    return true;
}

void Tessaro::lblCaricatutti_Click()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("lblCaricatutti_Click"), [&] {
        if (!switchView(false))
            return;
        d->lblPaginaRisultati->setLeft(d->fraPaginazione->Width() - d->lblPaginaRisultati->Width());
        d->lblPaginaRisultati->setTop(d->lblCaricatutti->Top());
    });
}

void Tessaro::lblPaginaRisultati_Click()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("lblPaginaRisultati_Click"), [&] {
        if (switchView(true))
            d->lblPaginaRisultati->setVisible(false);
    });
}

} // namespace tessaro
